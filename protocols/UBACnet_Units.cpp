// The picker's units as the maker lists them. A few names keep the maker's spelling (51
// "housepower", 77 "feet-per-meters", 103 "radiants", 128 "btus-per-kilogram-degree-Kelvin", 172
// "ohms-meters"); their codes are those of the units they stand for, which is what a BACnet client
// shows its user.
#include "protocols/UBACnet_Units.h"

#include <array>

namespace {

const TBACnet_Unit kAcceleration[] = {
    {166, "meters-per-second-per-second"},
};

const TBACnet_Unit kArea[] = {
    {0, "square-meters"},
    {116, "square-centimeters"},
    {1, "square-feet"},
    {115, "square-inches"},
};

const TBACnet_Unit kCurrency[] = {
    {105, "currency1"},
    {106, "currency2"},
    {107, "currency3"},
    {108, "currency4"},
    {109, "currency5"},
    {110, "currency6"},
    {111, "currency7"},
    {112, "currency8"},
    {113, "currency9"},
    {114, "currency10"},
};

const TBACnet_Unit kElectrical[] = {
    {2, "milliamperes"},
    {3, "amperes"},
    {167, "amperes-per-meter"},
    {168, "amperes-per-square-meter"},
    {169, "ampere-square-meters"},
    {199, "decibels"},
    {200, "decibels-millivolt"},
    {201, "decibels-volt"},
    {170, "farads"},
    {171, "henrys"},
    {4, "ohms"},
    {172, "ohms-meters"},
    {145, "milliohms"},
    {122, "kilohms"},
    {123, "megohms"},
    {190, "microsiemens"},
    {202, "millisiemens"},
    {173, "siemens"},
    {174, "siemens-per-meter"},
    {175, "teslas"},
    {5, "volts"},
    {124, "millivolts"},
    {6, "kilovolts"},
    {7, "megavolts"},
    {8, "volt-amperes"},
    {9, "kilovolt-amperes"},
    {10, "megavolt-amperes"},
    {11, "volt-amperes-reactive"},
    {12, "kilovolt-amperes-reactive"},
    {13, "megavolt-amperes-reactive"},
    {176, "volts-per-degree-Kelvin"},
    {177, "volts-per-meter"},
    {14, "degrees-phase"},
    {15, "power-factor"},
    {178, "webers"},
};

const TBACnet_Unit kEnergy[] = {
    {16, "joules"},
    {17, "kilojoules"},
    {125, "kilojoules-per-kilogram"},
    {126, "megajoules"},
    {18, "watt-hours"},
    {19, "kilowatt-hours"},
    {146, "megawatt-hours"},
    {203, "watt-hours-reactive"},
    {204, "kilowatt-hours-reactive"},
    {205, "megawatt-hours-reactive"},
    {20, "btus"},
    {147, "kilo-btus"},
    {148, "mega-btus"},
    {21, "therms"},
    {22, "ton-hours"},
};

const TBACnet_Unit kEnthalpy[] = {
    {23, "joules-per-kilogram-dry-air"},
    {149, "kilojoules-per-kilogram-dry-air"},
    {150, "megajoules-per-kilogram-dry-air"},
    {24, "btus-per-pound-dry-air"},
    {117, "btus-per-pound"},
};

const TBACnet_Unit kEntropy[] = {
    {127, "joules-per-degree-Kelvin"},
    {151, "kilojoules-per-degree-Kelvin"},
    {152, "megajoules-per-degree-Kelvin"},
    {128, "btus-per-kilogram-degree-Kelvin"},
};

const TBACnet_Unit kForce[] = {
    {153, "newton"},
};

const TBACnet_Unit kFrequency[] = {
    {25, "cycles-per-hour"},
    {26, "cycles-per-minute"},
    {27, "hertz"},
    {129, "kilohertz"},
    {130, "megahertz"},
    {131, "per-hour"},
};

const TBACnet_Unit kHumidity[] = {
    {28, "grams-of-water-per-kilogram-dry-air"},
    {29, "percent-relative-humidity"},
};

const TBACnet_Unit kLength[] = {
    {194, "micrometers"},
    {30, "millimeters"},
    {118, "centimeters"},
    {193, "kilometers"},
    {31, "meters"},
    {32, "inches"},
    {33, "feet"},
};

const TBACnet_Unit kLight[] = {
    {179, "candelas"},
    {180, "candelas-per-square-meter"},
    {34, "watts-per-square-foot"},
    {35, "watts-per-square-meter"},
    {36, "lumens"},
    {37, "luxes"},
    {38, "foot-candles"},
};

const TBACnet_Unit kMass[] = {
    {196, "milligrams"},
    {195, "grams"},
    {39, "kilograms"},
    {40, "pounds-mass"},
    {41, "tons"},
};

const TBACnet_Unit kMassFlow[] = {
    {154, "grams-per-second"},
    {155, "grams-per-minute"},
    {42, "kilograms-per-second"},
    {43, "kilograms-per-minute"},
    {44, "kilograms-per-hour"},
    {119, "pounds-mass-per-second"},
    {45, "pounds-mass-per-minute"},
    {46, "pounds-mass-per-hour"},
    {156, "tons-per-hour"},
};

const TBACnet_Unit kPower[] = {
    {132, "milliwatts"},
    {47, "watts"},
    {48, "kilowatts"},
    {49, "megawatts"},
    {50, "btus-per-hour"},
    {157, "kilo-btus-per-hour"},
    {51, "housepower"},
    {52, "tons-refrigeration"},
};

const TBACnet_Unit kPressure[] = {
    {53, "pascals"},
    {133, "hectopascals"},
    {54, "kilopascals"},
    {134, "millibars"},
    {55, "bars"},
    {56, "pounds-force-per-square-inch"},
    {206, "millimeters-of-water"},
    {57, "centimeters-of-water"},
    {58, "inches-of-water"},
    {59, "millimeters-of-mercury"},
    {60, "centimeters-of-mercury"},
    {61, "inches-of-mercury"},
};

const TBACnet_Unit kTemperature[] = {
    {62, "degrees-Celsius"},
    {63, "degrees-Kelvin"},
    {181, "degrees-Kelvin-per-hour"},
    {182, "degrees-Kelvin-per-minute"},
    {64, "degrees-Fahrenheit"},
    {65, "degree-days-Celsius"},
    {66, "degree-days-Fahrenheit"},
    {120, "delta-degrees-Fahrenheit"},
    {121, "delta-degrees-Kelvin"},
};

const TBACnet_Unit kTime[] = {
    {67, "years"},
    {68, "months"},
    {69, "weeks"},
    {70, "days"},
    {71, "hours"},
    {72, "minutes"},
    {73, "seconds"},
    {158, "hundredths-seconds"},
    {159, "milliseconds"},
};

const TBACnet_Unit kTorque[] = {
    {160, "newton-meters"},
};

const TBACnet_Unit kVelocity[] = {
    {161, "millimeters-per-second"},
    {162, "millimeters-per-minute"},
    {74, "meters-per-second"},
    {163, "meters-per-minute"},
    {164, "meters-per-hour"},
    {75, "kilometers-per-hour"},
    {76, "feet-per-second"},
    {77, "feet-per-meters"},
    {78, "miles-per-hour"},
};

const TBACnet_Unit kVolume[] = {
    {79, "cubic-feet"},
    {80, "cubic-meters"},
    {81, "imperial-gallons"},
    {197, "milliliters"},
    {82, "liters"},
    {83, "us-gallons"},
};

const TBACnet_Unit kVolumetricFlow[] = {
    {142, "cubic-feet-per-second"},
    {84, "cubic-feet-per-minute"},
    {191, "cubic-feet-per-hour"},
    {85, "cubic-meters-per-second"},
    {165, "cubic-meters-per-minute"},
    {135, "cubic-meters-per-hour"},
    {86, "imperial-gallons-per-minute"},
    {198, "milliliters-per-second"},
    {87, "liters-per-second"},
    {88, "liters-per-minute"},
    {136, "liters-per-hour"},
    {89, "us-gallons-per-minute"},
    {192, "us-gallons-per-hour"},
};

const TBACnet_Unit kOther[] = {
    {90, "degrees-angular"},
    {91, "degrees-Celsius-per-hour"},
    {92, "degrees-Celsius-per-minute"},
    {93, "degrees-Fahrenheit-per-hour"},
    {94, "degrees-Fahrenheit-per-minute"},
    {183, "joule-seconds"},
    {186, "kilograms-per-cubic-meter"},
    {137, "kilowatt-hours-per-square-meter"},
    {138, "kilowatt-hours-per-square-foot"},
    {139, "megajoules-per-square-meter"},
    {140, "megajoules-per-square-foot"},
    {95, "no-units"},
    {187, "newton-seconds"},
    {188, "newtons-per-meter"},
    {96, "parts-per-million"},
    {97, "parts-per-billion"},
    {98, "percent"},
    {143, "percent-obscuration-per-foot"},
    {144, "percent-obscuration-per-meter"},
    {99, "percent-per-second"},
    {100, "per-minute"},
    {101, "per-second"},
    {102, "psi-per-degree-Fahrenheit"},
    {103, "radiants"},
    {184, "radians-per-second"},
    {104, "revolutions-per-minute"},
    {185, "square-meters-per-Newton"},
    {189, "watts-per-meter-per-degree-Kelvin"},
    {141, "watts-per-square-meter-degree-kelvin"},
    {207, "per-mille"},
    {208, "grams-per-gram"},
    {209, "kilograms-per-kilogram"},
    {210, "grams-per-kilogram"},
    {211, "milligrams-per-gram"},
    {212, "milligrams-per-kilogram"},
    {213, "grams-per-milliliter"},
    {214, "grams-per-liter"},
    {215, "milligrams-per-liter"},
    {216, "micrograms-per-liter"},
    {217, "grams-per-cubic-meter"},
    {218, "milligrams-per-cubic-meter"},
    {219, "micrograms-per-cubic-meter"},
    {220, "nanograms-per-cubic-meter"},
    {221, "grams-per-cubic-centimeter"},
    {222, "becquerels"},
    {223, "kilobecquerels"},
    {224, "megabecquerels"},
    {225, "gray"},
    {226, "milligray"},
    {227, "microgray"},
    {228, "sieverts"},
    {229, "millisieverts"},
    {230, "microsieverts"},
    {231, "microsieverts-per-hour"},
    {232, "decibels-a"},
    {233, "nephelometric-turbidity-unit"},
    {234, "pH"},
    {235, "grams-per-square-meter"},
    {236, "minutes-per-degree-kelvin"},
};

const TBACnet_Unit_Group kGroups[] = {
    {"Acceleration", kAcceleration},
    {"Area", kArea},
    {"Currency", kCurrency},
    {"Electrical", kElectrical},
    {"Energy", kEnergy},
    {"Enthalpy", kEnthalpy},
    {"Entropy", kEntropy},
    {"Force", kForce},
    {"Frequency", kFrequency},
    {"Humidity", kHumidity},
    {"Length", kLength},
    {"Light", kLight},
    {"Mass", kMass},
    {"Mass Flow", kMassFlow},
    {"Power", kPower},
    {"Pressure", kPressure},
    {"Temperature", kTemperature},
    {"Time", kTime},
    {"Torque", kTorque},
    {"Velocity", kVelocity},
    {"Volume", kVolume},
    {"Volumetric Flow", kVolumetricFlow},
    {"Other", kOther},
};

constexpr int kUnitCount = 237; // BACnetEngineeringUnits 0-236

} // namespace

std::span<const TBACnet_Unit_Group> BACnet_Unit_Groups() { return kGroups; }

QString Desc_Unit(int Num_Unit)
{
    // Three codes read with other words than the lists show.
    switch (Num_Unit) {
    case 139: return QStringLiteral("megajoules-hours-per-square-meter");
    case 140: return QStringLiteral("megajoules-hours-per-square-foot");
    case 172: return QStringLiteral("ohm-meters");
    default: break;
    }
    static const auto names = [] {
        std::array<const char *, kUnitCount> byCode{};
        for (const auto &group : kGroups)
            for (const auto &unit : group.units) byCode[unit.code] = unit.name;
        return byCode;
    }();
    if (Num_Unit < 0 || Num_Unit >= kUnitCount || !names[Num_Unit]) return QStringLiteral("unknown");
    return QString::fromLatin1(names[Num_Unit]);
}
