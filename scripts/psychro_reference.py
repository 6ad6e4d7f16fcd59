#!/usr/bin/env python3
"""Reference figures of moist air at altitude, from the ASHRAE Handbook - Fundamentals (2017), chapter 1, in
inch-pound units: saturation pressure over liquid water (eq. 6), humidity ratio from dry and wet bulb (eq. 35),
relative humidity and dew point from the vapour pressure, and the standard atmosphere (eq. 3) for the pressure at an
altitude. Prints the table the Humidity tab's altitude tests hold; run it again after changing a state:

    python3 scripts/psychro_reference.py
"""
import math

KELVIN_TO_RANKINE = 459.67
MOLAR_MASS_RATIO = 0.621945  # water to dry air
PSI_PER_INHG = 0.4911541  # mercury column at 32 F


def pressure_at_altitude(feet):
    """Standard atmosphere, psia."""
    return 14.696 * (1 - 6.8754e-6 * feet) ** 5.2559


def saturation_pressure(t):
    """Over liquid water, t in F, psia."""
    T = t + KELVIN_TO_RANKINE
    ln = (-1.0440397e4 / T - 1.1294650e1 - 2.7022355e-2 * T + 1.2890360e-5 * T ** 2 - 2.4780681e-9 * T ** 3
          + 6.5459673 * math.log(T))
    return math.exp(ln)


def humidity_ratio_at_saturation(t, p):
    pws = saturation_pressure(t)
    return MOLAR_MASS_RATIO * pws / (p - pws)


def humidity_ratio_from_wet_bulb(t, tw, p):
    """Wet bulb above freezing."""
    ws = humidity_ratio_at_saturation(tw, p)
    return ((1093 - 0.556 * tw) * ws - 0.240 * (t - tw)) / (1093 + 0.444 * t - tw)


def humidity_ratio_from_rh(t, rh, p):
    pw = rh / 100 * saturation_pressure(t)
    return MOLAR_MASS_RATIO * pw / (p - pw)


def vapour_pressure(w, p):
    return p * w / (MOLAR_MASS_RATIO + w)


def dew_point(pw):
    """The temperature whose saturation pressure is pw, by bisection (F)."""
    low, high = -100.0, 400.0
    for _ in range(200):
        mid = (low + high) / 2
        if saturation_pressure(mid) < pw:
            low = mid
        else:
            high = mid
    return (low + high) / 2


def wet_bulb(t, w, p):
    """The wet bulb whose humidity ratio is w, by bisection (F)."""
    low, high = 32.0, t
    for _ in range(200):
        mid = (low + high) / 2
        if humidity_ratio_from_wet_bulb(t, mid, p) < w:
            low = mid
        else:
            high = mid
    return (low + high) / 2


def state_from_wet_bulb(t, tw, p):
    w = humidity_ratio_from_wet_bulb(t, tw, p)
    pw = vapour_pressure(w, p)
    return 100 * pw / saturation_pressure(t), w * 7000, dew_point(pw)


def state_from_rh(t, rh, p):
    w = humidity_ratio_from_rh(t, rh, p)
    return wet_bulb(t, w, p), w * 7000, dew_point(vapour_pressure(w, p))


def main():
    print("feet   inHg     psia    | dry  wet  -> RH %    grains    dew F")
    for feet in (0, 5000, 10000):
        p = pressure_at_altitude(feet)
        inhg = round(p / PSI_PER_INHG, 3)
        p = inhg * PSI_PER_INHG  # the pressure as the program keeps it, to the thousandth of an inch
        for t, tw in ((77, 68), (95, 75), (50, 45)):
            rh, grains, td = state_from_wet_bulb(t, tw, p)
            print(f"{feet:5d}  {inhg:6.3f}  {p:7.4f} | {t:3d}  {tw:3d}  -> {rh:6.2f}  {grains:8.2f}  {td:6.2f}")
        for t, rh in ((77, 50),):
            tw, grains, td = state_from_rh(t, rh, p)
            print(f"{feet:5d}  {inhg:6.3f}  {p:7.4f} | {t:3d} RH {rh:3d} -> wet bulb {tw:6.2f}  {grains:8.2f}  {td:6.2f}")


if __name__ == "__main__":
    main()
