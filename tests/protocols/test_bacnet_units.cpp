// The BACnet unit picker's groups and codes, checked against the BACnet standard's
// BACnetEngineeringUnits values: a wrong code is a fault that a BACnet client shows its user.
#include "protocols/UBACnet_Units.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct NamedCode {
    const char *name;
    int code;
};

// The five names the picker spells differently from the standard, with the codes of the units they
// stand for.
const NamedCode kMisspelt[] = {
    {"housepower", 51},
    {"feet-per-meters", 77},
    {"radiants", 103},
    {"btus-per-kilogram-degree-Kelvin", 128},
    {"ohms-meters", 172},
};

const TBACnet_Unit *findUnit(const QString &name)
{
    for (const auto &group : BACnet_Unit_Groups())
        for (const auto &unit : group.units)
            if (name == QLatin1String(unit.name)) return &unit;
    return nullptr;
}

// The standard's values, lower-case name -> code, or empty without the shared reference file.
std::map<QString, int> readReference()
{
    std::map<QString, int> codes;
    QFile f(QStringLiteral(CFG_SHARED_REFERENCE_DIR "/bacnet-engineering-units.tsv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return codes;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char('\t'));
        bool ok = false;
        const int code = fields.size() == 2 ? fields[0].toInt(&ok) : 0;
        if (ok) codes[fields[1].toLower()] = code;
    }
    return codes;
}

TEST(BACnetUnits, GroupsInThePickersOrderOfferEveryCodeOnce)
{
    const NamedCode groups[] = {
        {"Acceleration", 1}, {"Area", 4}, {"Currency", 10}, {"Electrical", 35}, {"Energy", 15},
        {"Enthalpy", 5}, {"Entropy", 4}, {"Force", 1}, {"Frequency", 6}, {"Humidity", 2}, {"Length", 7},
        {"Light", 7}, {"Mass", 5}, {"Mass Flow", 9}, {"Power", 8}, {"Pressure", 12}, {"Temperature", 9},
        {"Time", 9}, {"Torque", 1}, {"Velocity", 9}, {"Volume", 6}, {"Volumetric Flow", 13}, {"Other", 59},
    }; // name and number of units
    const auto actual = BACnet_Unit_Groups();
    ASSERT_EQ(actual.size(), std::size(groups));
    std::multiset<int> codes;
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_STREQ(actual[i].name, groups[i].name);
        EXPECT_EQ(static_cast<int>(actual[i].units.size()), groups[i].code) << groups[i].name;
        for (const auto &unit : actual[i].units) codes.insert(unit.code);
    }
    for (int code = 0; code <= 236; ++code) EXPECT_EQ(codes.count(code), 1u) << "code " << code;
    EXPECT_EQ(codes.size(), 237u);
}

TEST(BACnetUnits, EveryNameHasTheStandardsCodeForIt)
{
    const auto reference = readReference();
    if (reference.empty()) GTEST_SKIP() << "BACnet reference table not present";

    // The reference holds the standard's values 0-236, each once.
    std::set<int> values;
    for (const auto &[name, code] : reference) values.insert(code);
    ASSERT_EQ(reference.size(), 237u);
    ASSERT_EQ(*values.begin(), 0);
    ASSERT_EQ(*values.rbegin(), 236);
    ASSERT_EQ(values.size(), 237u);

    std::map<QString, int> misspelt;
    for (const auto &m : kMisspelt) misspelt[QString::fromLatin1(m.name)] = m.code;
    for (const auto &group : BACnet_Unit_Groups())
        for (const auto &unit : group.units) {
            const QString name = QString::fromLatin1(unit.name);
            const auto pinned = misspelt.find(name);
            if (pinned != misspelt.end()) {
                EXPECT_EQ(unit.code, pinned->second) << unit.name;
                EXPECT_EQ(reference.count(name.toLower()), 0u) << unit.name << " is not misspelt after all";
                continue;
            }
            const auto it = reference.find(name.toLower());
            ASSERT_NE(it, reference.end()) << unit.name << " is no name of the standard";
            EXPECT_EQ(unit.code, it->second) << unit.name;
        }
}

TEST(BACnetUnits, StatedCodesArePinned)
{
    const NamedCode cases[] = {
        {"housepower", 51},
        {"feet-per-meters", 77},
        {"radiants", 103},
        {"btus-per-kilogram-degree-Kelvin", 128},
        {"megajoules-per-square-meter", 139},
        {"megajoules-per-square-foot", 140},
        {"ohms-meters", 172},
        {"square-meters", 0},
        {"square-feet", 1},
        {"degrees-Celsius", 62},
        {"no-units", 95},
        {"percent", 98},
        {"currency1", 105},
        {"meters-per-second-per-second", 166},
        {"per-mille", 207},
        {"minutes-per-degree-kelvin", 236},
    };
    for (const auto &c : cases) {
        const TBACnet_Unit *unit = findUnit(QString::fromLatin1(c.name));
        ASSERT_NE(unit, nullptr) << c.name;
        EXPECT_EQ(unit->code, c.code) << c.name;
    }
    // Where the picker's edge cases find them: the whole "Acceleration" group, the 30th "Other" unit,
    // and "ohms-meters" among the electrical units.
    const auto groups = BACnet_Unit_Groups();
    ASSERT_EQ(groups[0].units.size(), 1u);
    EXPECT_EQ(groups[0].units[0].code, 166);
    EXPECT_STREQ(groups[22].units[29].name, "per-mille");
    EXPECT_EQ(groups[22].units[29].code, 207);
    bool inElectrical = false;
    for (const auto &unit : groups[3].units) inElectrical |= unit.code == 172;
    EXPECT_TRUE(inElectrical);
}

TEST(BACnetUnits, DescUnitNamesACodeAndKnowsNoOther)
{
    const NamedCode cases[] = {
        {"per-mille", 207},
        {"ohm-meters", 172},
        {"megajoules-hours-per-square-meter", 139},
        {"megajoules-hours-per-square-foot", 140},
        {"housepower", 51},
        {"degrees-Celsius", 62},
        {"meters-per-second-per-second", 166},
        {"square-meters", 0},
        {"minutes-per-degree-kelvin", 236},
        {"unknown", 237},
        {"unknown", 300},
        {"unknown", -1},
    };
    for (const auto &c : cases) EXPECT_EQ(Desc_Unit(c.code), QLatin1String(c.name)) << c.code;

    // Every other code reads as the picker lists it.
    for (const auto &group : BACnet_Unit_Groups())
        for (const auto &unit : group.units)
            if (unit.code != 139 && unit.code != 140 && unit.code != 172) {
                EXPECT_EQ(Desc_Unit(unit.code), QLatin1String(unit.name)) << unit.code;
            }
}

} // namespace
