#include "dropdown/DropDownStyles.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::optional<TColor> keep = std::nullopt;

struct PopupRow {
    TNovaStyle style;
    TColor dd, ddTo;
    std::optional<TColor> ddBorder;
    TColor color, colorTo, font, border;
    // Where the footer differs from the header (clDefault: the same).
    TColor footerColor = clDefault, footerColorTo = clDefault, footerBorder = clDefault;
};

const PopupRow popupRows[] = {
    {tsOffice2003Blue, 0xFFFFFF, clNone, keep, 0xFCE1CB, 0xE0A57D, clBlack, clBlack, clDefault, clDefault, 0x962D00},
    {tsOffice2003Silver, 0xFFFFFF, clNone, keep, 0xECE2E1, 0xB39698, clBlack, 0x947C7C},
    {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, clBlack, 0x588060},
    {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
    {tsWindowsXP, 0xFFFFFF, clNone, keep, 0xFFFFFF, clBtnFace, clBlack, 0x808080},
    {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00},
    {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
    {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9},
    {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8},
    {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBlack, clNone},
    {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},
    {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
    {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
};

// The state colours most styles share: hot, down, disabled and checked.
struct StateSet {
    TColor hot, hotTo, borderHot, down, downTo, borderDown, disabled, disabledTo, checked, checkedTo, borderChecked;
};
constexpr StateSet setA{0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                        0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
constexpr StateSet setB{0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2,
                        0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE};

struct ButtonRow {
    TNovaStyle style;
    TButtonStyleColors colors;
};

constexpr TButtonStyleColors withSet(TColor color, TColor colorTo, TColor border, const StateSet &s)
{
    return {color, colorTo, border, s.hot, s.hotTo, s.borderHot, s.down, s.downTo, s.borderDown,
            s.disabled, s.disabledTo, s.checked, s.checkedTo, s.borderChecked};
}

const ButtonRow buttonRows[] = {
    {tsOffice2003Blue, withSet(0xFCE1CB, 0xE0A57D, clNone, setA)},
    {tsOffice2003Silver, withSet(0xECE2E1, 0xB39698, clNone, setA)},
    {tsOffice2003Olive, withSet(0xCFF0EA, 0x8CC0B1, clNone, setA)},
    {tsOffice2007Luna, withSet(0xFFEFE3, 0xFFDDC4, clNone, setA)},
    {tsOffice2007Obsidian, withSet(0xF2F1F0, 0xC9C2BD, clNone, setA)},
    {tsWhidbey, withSet(0xFFFFFF, 0xDFEDF0, clNone, setA)},
    {tsOffice2007Silver, withSet(0xF9F8F8, 0xE4E2DF, clNone, setA)},
    {tsOffice2010Blue, withSet(0xFDF6EF, 0xF0DAC7, 0xC7B29F, setB)},
    {tsOffice2010Silver, withSet(0xFFFFFF, 0xEDE5E0, 0xD2CDC8, setB)},
    {tsOffice2010Black, withSet(0xBFBFBF, 0x919191, 0xD7D7D6, setB)},
    {tsOffice2003Classic, {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
                           0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080}},
    {tsWindowsXP, {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption,
                   clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, clBlack}},
    {tsWindowsVista, {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
                      0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A}},
    {tsWindows7, {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF,
                  0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D}},
    {tsTerminal, {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
                  clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight}},
};

struct ItemRow {
    TNovaStyle style;
    TItemStyleColors colors;
};

constexpr TItemStyleColors office2003Items{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF,
                                           0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone,   clNone,   clNone, std::nullopt};
constexpr TItemStyleColors office2007Items{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF,
                                           0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, std::nullopt};
constexpr TItemStyleColors office2010Items{0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF,
                                           0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone,   clNone,   clNone, clBlack};

const ItemRow itemRows[] = {
    {tsOffice2003Blue, office2003Items},
    {tsOffice2003Silver, office2003Items},
    {tsOffice2003Olive, office2003Items},
    {tsWhidbey, office2003Items},
    {tsOffice2007Luna, office2007Items},
    {tsOffice2007Obsidian, office2007Items},
    {tsOffice2007Silver, office2007Items},
    {tsOffice2003Classic, {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone,
                           clNone, clNone, std::nullopt}},
    {tsWindowsXP, {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone,
                   clNone, clHighlightText}},
    {tsWindowsVista, {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6,
                      0xFDF5E7, 0xFCEDCB, std::nullopt}},
    {tsWindows7, {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB,
                  0xE0C5AE, std::nullopt}},
    {tsTerminal, {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone,
                  clNone, clHighlightText}},
    {tsOffice2010Blue, office2010Items},
    {tsOffice2010Silver, office2010Items},
    {tsOffice2010Black, office2010Items},
};

template <typename Row, std::size_t N>
const Row *rowOf(const Row (&rows)[N], TNovaStyle style)
{
    const auto it = std::find_if(std::begin(rows), std::end(rows), [style](const Row &r) { return r.style == style; });
    return it == std::end(rows) ? nullptr : &*it;
}

} // namespace

bool PopupStyleColors(TNovaStyle Style, TPopupStyleColors &Out)
{
    const PopupRow *r = rowOf(popupRows, Style);
    if (!r) return false;
    auto orHeader = [](TColor footer, TColor header) { return footer == clDefault ? header : footer; };
    Out = {r->dd,
           r->ddTo,
           r->ddBorder,
           r->color,
           r->colorTo,
           r->font,
           r->border,
           orHeader(r->footerColor, r->color),
           orHeader(r->footerColorTo, r->colorTo),
           r->font,
           orHeader(r->footerBorder, r->border)};
    return true;
}

bool ButtonStyleColors(TNovaStyle Style, TButtonStyleColors &Out)
{
    const ButtonRow *r = rowOf(buttonRows, Style);
    if (!r) return false;
    Out = r->colors;
    return true;
}

bool ItemStyleColors(TNovaStyle Style, TItemStyleColors &Out)
{
    const ItemRow *r = rowOf(itemRows, Style);
    if (!r) return false;
    Out = r->colors;
    return true;
}
