// Runs the input as a sequence of cell-store operations and compares every answer with a plain
// map of the same cells. Rows are near the start and at the edges of the store's row table, up
// to the largest row there is; texts reach lengths that take several bytes, rows are filled from
// left to right as loads do, and reads in between see every change.
#include "platform/StringGrid.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <type_traits>
#include <vector>

namespace {
struct Reader {
    const std::uint8_t *p;
    size_t n;
    size_t i = 0;
    bool more() const { return i < n; }
    std::uint8_t byte() { return i < n ? p[i++] : 0; }
    std::uint16_t word() { return std::uint16_t(byte() | (byte() << 8)); }
};

void check(bool ok)
{
    if (!ok)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    Reader in{data, size};
    TGridCellStore store;
    std::map<std::pair<int, int>, QString> texts;
    std::map<std::pair<int, int>, TObject *> objects;
    std::vector<TObject> pool(4);
    static const int kRowTable[] = {0, 1, 2, 3, 4, 5, 6, 7, 1023, 1024, (1 << 21) - 1, 1 << 21, 50000000,
                                    INT_MAX - 1024, INT_MAX - 1, INT_MAX};
    const int kRows = int(std::size(kRowTable)), kCols = 40;
    auto pickRow = [&] { return kRowTable[in.byte() % kRows]; };
    // A text of the input: short or long (lengths of one, two and three bytes), of ASCII or any
    // UTF-16 units.
    auto text = [&] {
        const std::uint8_t shape = in.byte();
        int len = shape % 24;
        if (shape & 0x20)
            len = in.byte() * ((shape & 0x40) ? 70 : 2); // up to 17850: a three-byte length
        QString t;
        t.reserve(len);
        const bool wide = shape & 0x80;
        const std::uint16_t seed = in.word();
        for (int k = 0; k < len; ++k)
            t += wide ? QChar(char16_t(seed + k * 977)) : QChar(char16_t(0x20 + (seed + k) % 95));
        return t;
    };
    auto setText = [&](int c, int r, const QString &t) {
        store.SetText(c, r, t);
        if (t.isEmpty())
            texts.erase({c, r});
        else
            texts[{c, r}] = t;
    };
    auto mapRow = [&](auto &m, int row) {
        std::map<int, typename std::decay_t<decltype(m)>::mapped_type> out;
        for (auto it = m.begin(); it != m.end();)
            if (it->first.second == row) {
                out[it->first.first] = it->second;
                it = m.erase(it);
            } else
                ++it;
        return out;
    };
    while (in.more()) {
        const int op = in.byte() % 13;
        const int c = in.byte() % kCols;
        const int r = pickRow();
        switch (op) {
        case 0:
        case 1:
            setText(c, r, text());
            break;
        case 6: { // a row filled from left to right, as a load does
            const int n = in.byte() % kCols;
            for (int k = c; k < c + n && k < kCols; ++k)
                setText(k, r, (in.byte() & 3) ? text() : QString());
            break;
        }
        case 7: { // two cells exchange texts and objects
            const int c2 = in.byte() % kCols, r2 = pickRow();
            store.ExchangeCells(c, r, c2, r2);
            const auto t1 = texts.find({c, r}), t2 = texts.find({c2, r2});
            const QString a = t1 == texts.end() ? QString() : t1->second;
            const QString b = t2 == texts.end() ? QString() : t2->second;
            const auto o1 = objects.find({c, r}), o2 = objects.find({c2, r2});
            TObject *oa = o1 == objects.end() ? nullptr : o1->second;
            TObject *ob = o2 == objects.end() ? nullptr : o2->second;
            texts.erase({c, r});
            texts.erase({c2, r2});
            objects.erase({c, r});
            objects.erase({c2, r2});
            if (!b.isEmpty())
                texts[{c, r}] = b;
            if (!a.isEmpty())
                texts[{c2, r2}] = a;
            if (ob)
                objects[{c, r}] = ob;
            if (oa)
                objects[{c2, r2}] = oa;
            break;
        }
        case 8: { // a row taken out and put somewhere, over what was there
            const int to = pickRow();
            TGridCellStore::PackedRow row = store.TakeRow(r);
            auto movedTexts = mapRow(texts, r);
            auto movedObjects = mapRow(objects, r);
            store.PutRow(to, std::move(row));
            mapRow(texts, to);
            mapRow(objects, to);
            for (auto &[col, v] : movedTexts)
                texts[{col, to}] = v;
            for (auto &[col, v] : movedObjects)
                objects[{col, to}] = v;
            break;
        }
        case 9: // copied, moved away and back, or cleared
            if (c % 4 == 0) {
                TGridCellStore copy(store);
                store.Clear();
                store = copy;
            } else if (c % 4 == 1) {
                TGridCellStore moved(std::move(store));
                check(store.LastRow() == -1 && store.Text(0, 0).isEmpty());
                store = std::move(moved);
            } else if (c % 4 == 2) {
                TGridCellStore copy;
                copy = store;
                store = TGridCellStore(copy);
            } else if (in.byte() % 8 == 0) {
                store.Clear();
                texts.clear();
                objects.clear();
            }
            break;
        case 10: { // reads see what was written
            for (int k = c; k < kCols; k += 1 + k % 3) {
                const auto t = texts.find({k, r});
                check(store.IsEmpty(k, r) == (t == texts.end()));
                check(store.Text(k, r) == (t == texts.end() ? QString() : t->second));
            }
            break;
        }
        case 2: {
            TObject *o = (in.byte() & 1) ? &pool[size_t(in.byte() % pool.size())] : nullptr;
            store.SetObject(c, r, o);
            if (o)
                objects[{c, r}] = o;
            else
                objects.erase({c, r});
            break;
        }
        case 3: { // move a row
            const int to = pickRow();
            store.MoveRow(r, to);
            auto moveKey = [&](int row) {
                if (row == r)
                    return to;
                if (r < to && row > r && row <= to)
                    return row - 1;
                if (to < r && row >= to && row < r)
                    return row + 1;
                return row;
            };
            std::map<std::pair<int, int>, QString> t2;
            for (auto &[k, v] : texts)
                t2[{k.first, moveKey(k.second)}] = v;
            texts.swap(t2);
            std::map<std::pair<int, int>, TObject *> o2;
            for (auto &[k, v] : objects)
                o2[{k.first, moveKey(k.second)}] = v;
            objects.swap(o2);
            break;
        }
        case 4: { // move a column
            const int to = in.byte() % kCols;
            store.MoveCol(c, to);
            auto moveKey = [&](int col) {
                if (col == c)
                    return to;
                if (c < to && col > c && col <= to)
                    return col - 1;
                if (to < c && col >= to && col < c)
                    return col + 1;
                return col;
            };
            std::map<std::pair<int, int>, QString> t2;
            for (auto &[k, v] : texts)
                t2[{moveKey(k.first), k.second}] = v;
            texts.swap(t2);
            std::map<std::pair<int, int>, TObject *> o2;
            for (auto &[k, v] : objects)
                o2[{moveKey(k.first), k.second}] = v;
            objects.swap(o2);
            break;
        }
        default: { // exchange rows
            const int other = pickRow();
            store.ExchangeRows(r, other);
            std::map<std::pair<int, int>, QString> t2;
            for (auto &[k, v] : texts)
                t2[{k.first, k.second == r ? other : k.second == other ? r : k.second}] = v;
            texts.swap(t2);
            std::map<std::pair<int, int>, TObject *> o2;
            for (auto &[k, v] : objects)
                o2[{k.first, k.second == r ? other : k.second == other ? r : k.second}] = v;
            objects.swap(o2);
            break;
        }
        }
    }
    // The store walks exactly the rows the map holds, and every cell of them (and of the table) agrees.
    std::set<int> used;
    for (auto &[k, v] : texts)
        used.insert(k.second);
    for (auto &[k, v] : objects)
        used.insert(k.second);
    std::set<int> walked;
    for (int r = store.NextRow(0); r >= 0; r = r == INT_MAX ? -1 : store.NextRow(r + 1))
        walked.insert(r);
    check(walked == used);
    check(store.LastRow() == (used.empty() ? -1 : *used.rbegin()));
    std::set<int> probe = used;
    probe.insert(std::begin(kRowTable), std::end(kRowTable));
    for (int r : probe)
        for (int c = 0; c < kCols + 2; ++c) {
            auto t = texts.find({c, r});
            check(store.Text(c, r) == (t == texts.end() ? QString() : t->second));
            auto o = objects.find({c, r});
            check(store.Object(c, r) == (o == objects.end() ? nullptr : o->second));
        }
    check(store.HasObjects() == !objects.empty());
    return 0;
}
