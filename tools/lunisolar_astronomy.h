#pragma once
// The astronomy behind the lunisolar table: true new moons, the sun's apparent longitude
// and TT - UT, all after Jean Meeus, "Astronomical Algorithms" (2nd ed.).
//
// Only the table generator and its test use this; the program itself carries the finished
// table and never computes a new moon. Header-only so both can include it as it is.
//
// Times are Julian dates: JDE in Terrestrial Time for the formulas, JD in UT for civil time.
// Accuracy over 1985-2035: new moons within some 20 s (ch. 49 against ELP-2000/82), the
// sun's longitude within about 1" (truncated VSOP87, i.e. some 25 s of time for a solar
// term), TT - UT within a few seconds (some 8 s by 2030, where it is a forecast). An instant
// that close to a Japanese midnight could land on the wrong day; `gen_lunisolar_table
// --report` lists every one within ten minutes, and none comes nearer than 53 s.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace velmo::lunisolar {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kSecondsPerDay = 86400.0;
// Japan Standard Time is UT + 9 h.
inline constexpr double kJstOffsetDays = 9.0 / 24.0;

inline double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// Into [0, 360).
inline double normalizedDegrees(double degrees) {
    double result = std::fmod(degrees, 360.0);
    return result < 0 ? result + 360.0 : result;
}

// Into (-180, 180].
inline double signedDegrees(double degrees) {
    double result = normalizedDegrees(degrees);
    return result > 180.0 ? result - 360.0 : result;
}

// ---------------------------------------------------------------------------------------
// Civil dates and day numbers (Gregorian calendar; the day number is the JD of the noon).

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const CivilDate&) const = default;
};

inline std::int32_t dayNumberOf(int year, int month, int day) {
    // Counted from March so February's length only matters at the end of a year.
    const int a = (14 - month) / 12;
    const long long y = year + 4800LL - a;
    const int m = month + 12 * a - 3;
    return static_cast<std::int32_t>(day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 -
                                     32045);
}

inline CivilDate civilDateOf(std::int32_t dayNumber) {
    const long long a = dayNumber + 32044LL;
    const long long b = (4 * a + 3) / 146097;
    const long long c = a - 146097 * b / 4;
    const long long d = (4 * c + 3) / 1461;
    const long long e = c - 1461 * d / 4;
    const long long m = (5 * e + 2) / 153;
    return {static_cast<int>(100 * b + d - 4800 + m / 10), static_cast<int>(m + 3 - 12 * (m / 10)),
            static_cast<int>(e - (153 * m + 2) / 5 + 1)};
}

// ---------------------------------------------------------------------------------------
// TT - UT in seconds: the polynomials of Espenak and Meeus (2006) for 1986-2050. Outside
// that span the nearest one is stretched, which is all a table ending in 2030 needs.

inline double deltaTSeconds(double jd) {
    const double t = (jd - 2451544.5) / 365.2425;  // years since 2000.0
    if (t < 5.0) {
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    return 62.92 + t * (0.32217 + t * 0.005589);
}

inline double universalFromDynamical(double jde) {
    return jde - deltaTSeconds(jde) / kSecondsPerDay;
}

// ---------------------------------------------------------------------------------------
// True new moon (Meeus ch. 49): mean phase plus the periodic and planetary corrections.
// k = 0 is the new moon of 2000-01-06; k counts lunations.

inline double trueNewMoonJde(int k) {
    const double kk = k;
    const double t = kk / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;

    double jde =
        2451550.09766 + 29.530588861 * kk + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;

    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double m = radians(2.5534 + 29.10535670 * kk - 0.0000014 * t2 - 0.00000011 * t3);
    const double mp =
        radians(201.5643 + 385.81693528 * kk + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4);
    const double f =
        radians(160.7108 + 390.67050284 * kk - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4);
    const double om = radians(124.7746 - 1.56375588 * kk + 0.0020672 * t2 + 0.00000215 * t3);

    jde += -0.40720 * std::sin(mp) + 0.17241 * e * std::sin(m) + 0.01608 * std::sin(2 * mp) +
           0.01039 * std::sin(2 * f) + 0.00739 * e * std::sin(mp - m) -
           0.00514 * e * std::sin(mp + m) + 0.00208 * e * e * std::sin(2 * m) -
           0.00111 * std::sin(mp - 2 * f) - 0.00057 * std::sin(mp + 2 * f) +
           0.00056 * e * std::sin(2 * mp + m) - 0.00042 * std::sin(3 * mp) +
           0.00042 * e * std::sin(m + 2 * f) + 0.00038 * e * std::sin(m - 2 * f) -
           0.00024 * e * std::sin(2 * mp - m) - 0.00017 * std::sin(om) -
           0.00007 * std::sin(mp + 2 * m) + 0.00004 * std::sin(2 * mp - 2 * f) +
           0.00004 * std::sin(3 * m) + 0.00003 * std::sin(mp + m - 2 * f) +
           0.00003 * std::sin(2 * mp + 2 * f) - 0.00003 * std::sin(mp + m + 2 * f) +
           0.00003 * std::sin(mp - m + 2 * f) - 0.00002 * std::sin(mp - m - 2 * f) -
           0.00002 * std::sin(3 * mp + m) + 0.00002 * std::sin(4 * mp);

    struct Planetary {
        double coefficient, base, rate;
    };
    static constexpr Planetary kPlanetary[] = {
        {0.000325, 299.77, 0.107408},  {0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886},
        {0.000126, 349.42, 36.412478}, {0.000110, 84.66, 18.206239}, {0.000062, 141.74, 53.303771},
        {0.000060, 207.14, 2.453732},  {0.000056, 154.84, 7.306860}, {0.000047, 34.52, 27.261239},
        {0.000042, 207.19, 0.121824},  {0.000040, 291.34, 1.844379}, {0.000037, 161.72, 24.198154},
        {0.000035, 239.56, 25.513099}, {0.000023, 331.55, 3.592518},
    };
    for (std::size_t i = 0; i < std::size(kPlanetary); ++i) {
        double angle = kPlanetary[i].base + kPlanetary[i].rate * kk;
        if (i == 0)
            angle -= 0.009173 * t2;
        jde += kPlanetary[i].coefficient * std::sin(radians(angle));
    }
    return jde;
}

// The lunation number whose mean new moon lies nearest to a JDE.
inline int lunationNear(double jde) {
    return static_cast<int>(std::lround((jde - 2451550.09766) / 29.530588861));
}

// ---------------------------------------------------------------------------------------
// The sun's apparent longitude (Meeus ch. 25, "higher accuracy"): the earth's heliocentric
// position from the truncated VSOP87 of Meeus' appendix III, turned round, moved to the
// FK5 frame, plus nutation in longitude and aberration.

namespace vsop87 {

struct Term {
    double a, b, c;
};

inline constexpr Term kL0[] = {
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};

inline constexpr Term kL1[] = {
    {628331966747, 0, 0},       {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};

inline constexpr Term kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};

inline constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};

inline constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
inline constexpr Term kL5[] = {{1, 3.14, 0}};

inline constexpr Term kB0[] = {
    {280, 3.199, 84334.662}, {102, 5.422, 5507.553}, {80, 3.88, 5223.69},
    {44, 3.70, 2352.87},     {32, 4.00, 1577.34},
};
inline constexpr Term kB1[] = {{9, 3.90, 5507.55}, {6, 1.73, 5223.69}};

inline constexpr Term kR0[] = {
    {100013989, 0, 0},
    {1670700, 3.0984635, 6283.0758500},
    {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},
    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.770},
    {542, 4.564, 3930.210},
    {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},
    {329, 5.900, 5223.694},
    {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},
    {212, 5.847, 1577.344},
    {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},
    {110, 5.055, 5486.778},
    {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},
    {86, 1.27, 161000.69},
    {65, 0.27, 17260.15},
    {63, 0.92, 529.69},
    {57, 2.01, 83996.85},
    {56, 5.24, 71430.70},
    {49, 3.25, 2544.31},
    {47, 2.58, 775.52},
    {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},
    {39, 5.36, 4694.00},
    {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},
    {37, 4.90, 12139.55},
    {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},
    {33, 0.24, 7084.90},
    {32, 0.18, 5088.63},
    {32, 1.78, 398.15},
    {28, 1.21, 6286.60},
    {28, 1.90, 6279.55},
    {26, 4.59, 10447.39},
};
inline constexpr Term kR1[] = {
    {103019, 1.107490, 6283.075850},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0},
    {32, 1.02, 18849.23},
    {31, 2.84, 5507.55},
    {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},
    {10, 5.91, 10977.08},
    {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};
inline constexpr Term kR2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
    {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23},
};
inline constexpr Term kR3[] = {{145, 4.273, 6283.076}, {7, 3.92, 12566.15}};
inline constexpr Term kR4[] = {{4, 2.56, 6283.08}};

template <std::size_t N>
double series(const Term (&terms)[N], double tau) {
    double sum = 0;
    for (const Term& term : terms)
        sum += term.a * std::cos(term.b + term.c * tau);
    return sum;
}

}  // namespace vsop87

struct HeliocentricEarth {
    double longitude;  // radians
    double latitude;   // radians
    double radius;     // astronomical units
};

// tau: Julian millennia of TT since J2000.0.
inline HeliocentricEarth heliocentricEarth(double tau) {
    using namespace vsop87;
    const double l =
        series(kL0, tau) +
        tau *
            (series(kL1, tau) +
             tau * (series(kL2, tau) +
                    tau * (series(kL3, tau) + tau * (series(kL4, tau) + tau * series(kL5, tau)))));
    const double b = series(kB0, tau) + tau * series(kB1, tau);
    const double r =
        series(kR0, tau) +
        tau * (series(kR1, tau) +
               tau * (series(kR2, tau) + tau * (series(kR3, tau) + tau * series(kR4, tau))));
    return {l / 1e8, b / 1e8, r / 1e8};
}

// Nutation in longitude in arc seconds, the four main terms (Meeus ch. 22; within 0.5").
inline double nutationInLongitudeArcsec(double t) {
    const double omega =
        radians(125.04452 - 1934.136261 * t + 0.0020708 * t * t + t * t * t / 450000.0);
    const double sunMean = radians(280.4665 + 36000.7698 * t);
    const double moonMean = radians(218.3165 + 481267.8813 * t);
    return -17.20 * std::sin(omega) - 1.32 * std::sin(2 * sunMean) - 0.23 * std::sin(2 * moonMean) +
           0.21 * std::sin(2 * omega);
}

// Apparent geocentric ecliptic longitude of the sun, degrees in [0, 360), for a JDE.
inline double sunApparentLongitude(double jde) {
    const double tau = (jde - kJ2000) / 365250.0;
    const double t = tau * 10.0;
    const HeliocentricEarth earth = heliocentricEarth(tau);
    double theta = normalizedDegrees(earth.longitude * 180.0 / kPi + 180.0);
    // FK5: the longitude part of the frame correction is a constant -0.09033".
    theta += -0.09033 / 3600.0;
    theta += nutationInLongitudeArcsec(t) / 3600.0;
    theta += -20.4898 / 3600.0 / earth.radius;
    return normalizedDegrees(theta);
}

// The JDE at which the sun's apparent longitude reaches `longitude` degrees, the crossing
// nearest to `guessJde` (within a few months of it).
inline double jdeOfSunLongitude(double longitude, double guessJde) {
    constexpr double kDegreesPerDay = 360.0 / 365.2422;
    double jde = guessJde;
    for (int i = 0; i < 50; ++i) {
        const double step = signedDegrees(longitude - sunApparentLongitude(jde)) / kDegreesPerDay;
        jde += step;
        if (std::fabs(step) < 1e-8)
            break;
    }
    return jde;
}

// ---------------------------------------------------------------------------------------
// The moon's apparent longitude (Meeus ch. 47, the ELP-2000/82 terms of table 47.A, about
// 10"). The table uses the new moons of ch. 49; this independent route to the same instants
// only cross-checks them, which matters for the new moons that fall close to midnight.

namespace elp {

struct LongitudeTerm {
    int d, m, mp, f;
    double coefficient;  // 1e-6 degree
};

inline constexpr LongitudeTerm kLongitude[] = {
    {0, 0, 1, 0, 6288774}, {2, 0, -1, 0, 1274027}, {2, 0, 0, 0, 658314},  {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116}, {0, 0, 0, 2, -114332},  {2, 0, -2, 0, 58793},  {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},   {2, -1, 0, 0, 45758},   {0, 1, -1, 0, -40923}, {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},  {2, 0, 0, -2, 15327},   {0, 0, 1, 2, -12528},  {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},  {0, 0, 3, 0, 10034},    {4, 0, -2, 0, 8548},   {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},   {1, 0, -1, 0, -5163},   {1, 1, 0, 0, 4987},    {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},    {4, 0, 0, 0, 3861},     {2, 0, -3, 0, 3665},   {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},  {2, -1, -2, 0, 2390},   {1, 0, 1, 0, -2348},   {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},   {0, 2, 0, 0, -2069},    {2, -2, -1, 0, 2048},  {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},   {4, -1, -1, 0, 1215},   {0, 0, 2, 2, -1110},   {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},    {4, -1, -2, 0, 759},    {0, 2, -1, 0, -713},   {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},    {2, -1, 0, -2, 596},    {4, 0, 1, 0, 549},     {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},    {1, 0, -2, 0, -487},    {2, 1, 0, -2, -399},   {0, 0, 2, -2, -381},
    {1, 1, 1, 0, 351},     {3, 0, -2, 0, -340},    {4, 0, -3, 0, 330},    {2, -1, 2, 0, 327},
    {0, 2, 1, 0, -323},    {1, 1, -1, 0, 299},     {2, 0, 3, 0, 294},
};

}  // namespace elp

// Apparent geocentric ecliptic longitude of the moon, degrees in [0, 360), for a JDE.
inline double moonApparentLongitude(double jde) {
    const double t = (jde - kJ2000) / 36525.0;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double lp =
        218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0;
    const double d = radians(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 -
                             t4 / 113065000.0);
    const double m = radians(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    const double mp =
        radians(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0);
    const double f = radians(93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 +
                             t4 / 863310000.0);
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;

    double sum = 0;
    for (const elp::LongitudeTerm& term : elp::kLongitude) {
        double value =
            term.coefficient * std::sin(term.d * d + term.m * m + term.mp * mp + term.f * f);
        for (int i = 0; i < std::abs(term.m); ++i)
            value *= e;  // the terms in M shrink with the earth's eccentricity
        sum += value;
    }
    sum += 3958 * std::sin(radians(119.75 + 131.849 * t)) + 1962 * std::sin(radians(lp) - f) +
           318 * std::sin(radians(53.09 + 479264.290 * t));
    return normalizedDegrees(lp + sum / 1e6 + nutationInLongitudeArcsec(t) / 3600.0);
}

// The JDE at which the moon's and the sun's apparent longitudes meet, nearest to a guess.
inline double conjunctionJde(double guessJde) {
    constexpr double kElongationPerDay = 360.0 / 29.530588861;
    double jde = guessJde;
    for (int i = 0; i < 50; ++i) {
        const double elongation =
            signedDegrees(moonApparentLongitude(jde) - sunApparentLongitude(jde));
        const double step = -elongation / kElongationPerDay;
        jde += step;
        if (std::fabs(step) < 1e-8)
            break;
    }
    return jde;
}

// ---------------------------------------------------------------------------------------
// Japanese civil time of an instant.

struct JstInstant {
    std::int32_t dayNumber;  // the JST date
    double secondsOfDay;     // since that date's midnight, 0 .. 86400
};

inline JstInstant jstOf(double jde) {
    // A JD begins at noon, so the date of a JST time is floor(JD + 9 h + 12 h).
    const double shifted = universalFromDynamical(jde) + kJstOffsetDays + 0.5;
    const double day = std::floor(shifted);
    return {static_cast<std::int32_t>(day), (shifted - day) * kSecondsPerDay};
}

// Seconds to the nearer JST midnight, never negative.
inline double secondsFromMidnight(const JstInstant& instant) {
    return std::fmin(instant.secondsOfDay, kSecondsPerDay - instant.secondsOfDay);
}

}  // namespace velmo::lunisolar
