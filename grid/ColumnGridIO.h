#pragma once
// The carrier of the column stream: one component-stream record of class "TNovaColumnGridIO"
// whose only property is the collection "Items", one entry per column item with the item's
// published properties in their declared order. It lives for one save or load only.
#include "grid/GridStreamCarriers.h"

#include <QIODevice>
#include <memory>

class TNovaColumnGrid;
class TGridColumnCollection;

class TNovaColumnGridIO : public TGridStreamCarrier {
public:
    // The collection belongs to AOwner, so reading an item's Width or Header reaches the grid's
    // column of the same index at once.
    explicit TNovaColumnGridIO(TNovaColumnGrid *AOwner);
    ~TNovaColumnGridIO() override;
    const char *ClassName() const override { return "TNovaColumnGridIO"; }
    TGridColumnCollection *Items() const { return FItems.get(); }

    // The most items a stream may claim: one per real column the grid can have.
    static constexpr int MaxItems = 512;
    // Whether a record can be read without surprises: the carrier's class, at most MaxItems
    // items, widths a column can take. False with *why otherwise.
    static bool Check(const platform::StreamRecord &record, QString *why);

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;

private:
    TNovaColumnGrid *FOwner;
    std::unique_ptr<TGridColumnCollection> FItems;
};

