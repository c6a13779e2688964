#pragma once
// Small value types shared by the platform grid and the grid library built on it.
#include <cstdint>
#include <initializer_list>

// A set of up to 32 enumeration members; member n is bit n (ToByte gives the stored byte).
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items)
            m_bits |= bit(e);
    }
    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr bool Contains(E e) const { return (m_bits & bit(e)) != 0; }
    constexpr TSet &Include(E e)
    {
        m_bits |= bit(e);
        return *this;
    }
    constexpr TSet &Exclude(E e)
    {
        m_bits &= ~bit(e);
        return *this;
    }
    constexpr bool IsEmpty() const { return m_bits == 0; }
    constexpr std::uint32_t Bits() const { return m_bits; }
    constexpr std::uint8_t ToByte() const { return std::uint8_t(m_bits & 0xFF); }
    constexpr TSet operator+(TSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr bool operator==(const TSet &o) const = default;

private:
    static constexpr std::uint32_t bit(E e) { return std::uint32_t(1) << unsigned(e); }
    std::uint32_t m_bits = 0;
};

// Root of the library's plain (non-Qt) objects: what a grid cell's object slot holds.
class TObject {
public:
    virtual ~TObject();
    // The class's own name; owners that free only objects of one exact class compare it.
    virtual const char *ClassName() const { return "TObject"; }
};

// The draw state of a painted cell.
enum TGridDrawStateItem : std::uint8_t { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridOption : std::uint8_t {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
    goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking,
    goFixedColClick, goFixedRowClick, goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;

// A block of cells; all four edges inclusive (column and row indexes).
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr bool operator==(const TGridRect &) const = default;
};

struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TGridCoord &) const = default;
};

enum TGridState : std::uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
