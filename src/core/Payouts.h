#pragma once

// What the Lotto pays for one unit staked on a single wheel, and the share of every win withheld at
// source. These are the figures in force in 2026; the back-test's balance applies them to the whole range,
// however old its draws. The withholding of 8% of every win applies since 1 October 2017.
namespace Payouts {
inline constexpr double Estratto = 11.23;
inline constexpr double Ambo = 250.0;
inline constexpr double Terno = 4500.0;
inline constexpr double Quaterna = 120000.0;
inline constexpr double Cinquina = 6000000.0;
inline constexpr double Ritenuta = 0.08;
// By sorte, 1 (estratto) to 5 (cinquina); 0 elsewhere.
constexpr double forSorte(int sorte) {
    switch (sorte) {
    case 1:
        return Estratto;
    case 2:
        return Ambo;
    case 3:
        return Terno;
    case 4:
        return Quaterna;
    case 5:
        return Cinquina;
    default:
        return 0.0;
    }
}
} // namespace Payouts
