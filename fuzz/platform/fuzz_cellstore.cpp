// Runs the input as a sequence of cell-store operations and compares every answer with a plain
// map of the same cells. Rows are near the start and at the edges of the store's row table, up
// to the largest row there is.
#include "platform/StringGrid.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
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
    while (in.more()) {
        const int op = in.byte() % 6;
        const int c = in.byte() % kCols;
        const int r = pickRow();
        switch (op) {
        case 0:
        case 1: {
            const int len = in.byte() % 20;
            QString t;
            for (int k = 0; k < len; ++k)
                t += QChar(char16_t(in.word()));
            store.SetText(c, r, t);
            if (t.isEmpty())
                texts.erase({c, r});
            else
                texts[{c, r}] = t;
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
