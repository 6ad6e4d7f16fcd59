# Writes the shipped conversion tables from exact unit definitions.
from fractions import Fraction as F
from decimal import Decimal, getcontext
import mpmath, sys, os
getcontext().prec = 60
mpmath.mp.dps = 50
PI = F(str(mpmath.pi))  # 50 digits, far beyond what the files keep

inch = F(254, 10000); ft = 12 * inch; yd = 3 * ft; mi = 5280 * ft; nmi = F(1852); mil = inch / 1000
uin = inch / 10**6; fathom = 6 * ft; mm = F(1, 1000); cm = F(1, 100); m = F(1); km = F(1000)
um = F(1, 10**6); nm = F(1, 10**9)
lb = F(45359237, 10**8); g0 = F(980665, 10**5); lbf = lb * g0; kgf = g0; ozf = lbf / 16
s = F(1); minute = 60 * s; h = 3600 * s; day = 24 * h
btu = F(105505585262, 10**8); cal = F(4184, 1000)
# Two therms, both defined in joules (NIST SP 811): the EC one 105.506 MJ exactly (not 100 000 International Table
# BTU, which is 105.505585262 MJ); the US one, on US gas bills, 105.4804 MJ.
ec_therm = F(105506) * 10**3; us_therm = F(1054804, 10**4) * 10**6
hp = 550 * ft * lbf
gal = 231 * inch**3; L = F(1, 1000)
cmil = PI / 4 * mil**2
hgconv = F(135951, 10) * g0  # conventional mercury column, Pa per meter
h2oconv = 1000 * g0

def tables():
    t = {}
    t["Custom"] = [
        ("Feet", ft, "Inches", inch), ("Yards", yd, "Feet", ft), ("Miles", mi, "Feet", ft),
        ("Pounds", lb, "Ounces", lb / 16), ("Hours", h, "Seconds", s),
    ]
    t["Length"] = [
        ("Inches", inch, "Millimeters", mm), ("Inches", inch, "Centimeters", cm), ("Feet", ft, "Meters", m),
        ("Feet", ft, "Millimeters", mm), ("Yards", yd, "Meters", m), ("Miles", mi, "Kilometers", km),
        ("Nautical Miles", nmi, "Kilometers", km), ("Fathoms", fathom, "Meters", m),
        ("Mils", mil, "Micrometers", um), ("Mils", mil, "Millimeters", mm),
        ("Microinches", uin, "Micrometers", um), ("Microinches", uin, "Nanometers", nm),
    ]
    t["Area"] = [
        ("Square Inches", inch**2, "Square Millimeters", mm**2), ("Square Inches", inch**2, "Square Centimeters", cm**2),
        ("Square Feet", ft**2, "Square Meters", m**2), ("Square Yards", yd**2, "Square Meters", m**2),
        ("Acres", 43560 * ft**2, "Square Meters", m**2), ("Acres", 43560 * ft**2, "Hectares", F(10000)),
        ("Square Miles", mi**2, "Square Kilometers", km**2), ("Square Miles", mi**2, "Hectares", F(10000)),
        ("Square Mils", mil**2, "Square Micrometers", um**2),
    ]
    t["Volume"] = [
        ("Cubic Inches", inch**3, "Cubic Centimeters", cm**3), ("Cubic Inches", inch**3, "Liters", L),
        ("Cubic Feet", ft**3, "Liters", L), ("Cubic Feet", ft**3, "Cubic Meters", m**3),
        ("Cubic Yards", yd**3, "Cubic Meters", m**3), ("US Gallons", gal, "Liters", L),
        ("US Quarts", gal / 4, "Liters", L), ("US Pints", gal / 8, "Liters", L),
        ("US Fluid Ounces", gal / 128, "Milliliters", L / 1000),
        ("Imperial Gallons", F(454609, 10**8), "Liters", L),
        ("Imperial Fluid Ounces", F(454609, 10**8) / 160, "Milliliters", L / 1000),
        ("Oil Barrels", 42 * gal, "Liters", L), ("Oil Barrels", 42 * gal, "Cubic Meters", m**3),
    ]
    t["Mass"] = [
        ("Pounds", lb, "Kilograms", F(1)), ("Pounds", lb, "Grams", F(1, 1000)),
        ("Ounces", lb / 16, "Grams", F(1, 1000)), ("Grains", lb / 7000, "Milligrams", F(1, 10**6)),
        ("Troy Ounces", lb / 7000 * 480, "Grams", F(1, 1000)), ("Stones", 14 * lb, "Kilograms", F(1)),
        ("Short Tons", 2000 * lb, "Metric Tons", F(1000)), ("Long Tons", 2240 * lb, "Metric Tons", F(1000)),
        ("Slugs", lbf / ft, "Kilograms", F(1)),
    ]
    deg = PI / 180; rev = 2 * PI; amin = deg / 60; asec = amin / 60; grad = PI / 200; mrad = F(1, 1000)
    t["Angles"] = [
        ("Degrees", deg, "Radians", F(1)), ("Degrees", deg, "Milliradians", mrad), ("Degrees", deg, "Gradians", grad),
        ("Revolutions", rev, "Degrees", deg), ("Revolutions", rev, "Radians", F(1)),
        ("Degrees", deg, "Arc Minutes", amin), ("Degrees", deg, "Arc Seconds", asec),
        ("Arc Minutes", amin, "Arc Seconds", asec), ("Arc Minutes", amin, "Milliradians", mrad),
        ("Arc Seconds", asec, "Microradians", F(1, 10**6)), ("Radians", F(1), "Milliradians", mrad),
    ]
    t["Force"] = [
        ("Pounds-force", lbf, "Newtons", F(1)), ("Pounds-force", lbf, "Kilonewtons", F(1000)),
        ("Pounds-force", lbf, "Kilograms-force", kgf), ("Ounces-force", ozf, "Newtons", F(1)),
        ("Ounces-force", ozf, "Grams-force", kgf / 1000), ("Kips", 1000 * lbf, "Kilonewtons", F(1000)),
        ("Short Tons-force", 2000 * lbf, "Kilonewtons", F(1000)), ("Poundals", lb * ft, "Newtons", F(1)),
        ("Kilograms-force", kgf, "Newtons", F(1)), ("Pounds-force", lbf, "Dynes", F(1, 10**5)),
    ]
    t["Torque"] = [
        ("Pound-force Inches", lbf * inch, "Newton Meters", F(1)),
        ("Pound-force Inches", lbf * inch, "Newton Centimeters", cm),
        ("Pound-force Feet", lbf * ft, "Newton Meters", F(1)),
        ("Pound-force Feet", lbf * ft, "Kilogram-force Meters", kgf),
        ("Ounce-force Inches", ozf * inch, "Newton Meters", F(1)),
        ("Ounce-force Inches", ozf * inch, "Newton Millimeters", mm),
        ("Ounce-force Inches", ozf * inch, "Gram-force Centimeters", kgf / 1000 * cm),
        ("Kilogram-force Meters", kgf, "Newton Meters", F(1)),
    ]
    psi = lbf / inch**2; kPa = F(1000); Pa = F(1); bar = F(10**5); MPa = F(10**6)
    atm = F(101325)
    t["Pressure"] = [
        ("PSI", psi, "Kilopascals", kPa), ("PSI", psi, "Bars", bar), ("PSI", psi, "Megapascals", MPa),
        ("PSI", psi, "Kilograms-force per Square Centimeter", kgf / cm**2), ("KSI", 1000 * psi, "Megapascals", MPa),
        ("Pounds per Square Foot", lbf / ft**2, "Pascals", Pa),
        ("Inches of Mercury", hgconv * inch, "Kilopascals", kPa), ("Inches of Mercury", hgconv * inch, "Millibars", bar / 1000),
        ("Inches of Water", h2oconv * inch, "Pascals", Pa), ("Feet of Water", h2oconv * ft, "Kilopascals", kPa),
        ("Atmospheres", atm, "Kilopascals", kPa), ("Atmospheres", atm, "Bars", bar),
        ("Torr", atm / 760, "Pascals", Pa), ("Millimeters of Mercury", hgconv * mm, "Pascals", Pa),
        ("Kilograms-force per Square Centimeter", kgf / cm**2, "Kilopascals", kPa),
    ]
    kmh = km / h; mps = F(1)
    t["Velocity"] = [
        ("Miles per Hour", mi / h, "Kilometers per Hour", kmh), ("Miles per Hour", mi / h, "Meters per Second", mps),
        ("Feet per Second", ft, "Meters per Second", mps), ("Feet per Second", ft, "Kilometers per Hour", kmh),
        ("Feet per Minute", ft / minute, "Meters per Second", mps),
        ("Feet per Minute", ft / minute, "Millimeters per Second", mm),
        ("Inches per Second", inch, "Millimeters per Second", mm), ("Inches per Second", inch, "Meters per Second", mps),
        ("Knots", nmi / h, "Kilometers per Hour", kmh), ("Knots", nmi / h, "Meters per Second", mps),
    ]
    t["Acceleration"] = [
        ("Standard Gravities", g0, "Meters per Second Squared", F(1)),
        ("Standard Gravities", g0, "Centimeters per Second Squared", cm),
        ("Standard Gravities", g0, "Feet per Second Squared", ft),
        ("Standard Gravities", g0, "Inches per Second Squared", inch),
        ("Feet per Second Squared", ft, "Meters per Second Squared", F(1)),
        ("Inches per Second Squared", inch, "Meters per Second Squared", F(1)),
        ("Inches per Second Squared", inch, "Millimeters per Second Squared", mm),
        ("Miles per Hour per Second", mi / h, "Meters per Second Squared", F(1)),
        ("Miles per Hour per Second", mi / h, "Kilometers per Hour per Second", kmh),
    ]
    W = F(1); kW = F(1000)
    t["Power"] = [
        ("Horsepower", hp, "Kilowatts", kW), ("Horsepower", hp, "Watts", W),
        ("Metric Horsepower", 75 * kgf, "Kilowatts", kW), ("Electric Horsepower", F(746), "Kilowatts", kW),
        ("BTU per Hour", btu / h, "Watts", W), ("BTU per Hour", btu / h, "Kilocalories per Hour", 1000 * cal / h),
        ("BTU per Minute", btu / minute, "Kilowatts", kW), ("Tons of Refrigeration", 12000 * btu / h, "Kilowatts", kW),
        ("Foot-Pounds per Second", lbf * ft, "Watts", W), ("Foot-Pounds per Minute", lbf * ft / minute, "Watts", W),
        ("Kilocalories per Hour", 1000 * cal / h, "Watts", W),
    ]
    J = F(1)
    t["Energy"] = [
        ("BTU", btu, "Joules", J), ("BTU", btu, "Kilojoules", F(1000)), ("BTU", btu, "Kilowatt Hours", 1000 * h),
        ("BTU", btu, "Kilocalories", 1000 * cal), ("EC Therms", ec_therm, "Megajoules", F(10**6)),
        ("US Therms", us_therm, "Megajoules", F(10**6)),
        ("Foot-Pounds", lbf * ft, "Joules", J), ("Inch-Pounds", lbf * inch, "Joules", J),
        ("Horsepower Hours", hp * h, "Kilowatt Hours", 1000 * h), ("Horsepower Hours", hp * h, "Megajoules", F(10**6)),
        ("Calories", cal, "Joules", J), ("Kilocalories", 1000 * cal, "Kilojoules", F(1000)),
        ("Kilowatt Hours", 1000 * h, "Megajoules", F(10**6)),
    ]
    t["Electrical"] = [
        ("Circular Mils", cmil, "Square Millimeters", mm**2),
        ("Thousand Circular Mils", 1000 * cmil, "Square Millimeters", mm**2),
        ("Ohm-Circular Mils per Foot", cmil / ft, "Ohm-Square Millimeters per Meter", mm**2 / m),
        ("Ohm-Circular Mils per Foot", cmil / ft, "Microhm-Centimeters", cm / 10**6),
        ("Ohms per 1000 Feet", 1 / (1000 * ft), "Ohms per Kilometer", 1 / km),
        ("Ohms per Mile", 1 / mi, "Ohms per Kilometer", 1 / km),
        ("Amperes per Square Inch", 1 / inch**2, "Amperes per Square Millimeter", 1 / mm**2),
        ("Volts per Mil", 1 / mil, "Kilovolts per Millimeter", 1000 / mm),
        ("Picofarads per Foot", 1 / ft, "Picofarads per Meter", 1 / m),
        ("Watts per Square Inch", 1 / inch**2, "Watts per Square Centimeter", 1 / cm**2),
        ("Lines per Square Inch", F(1, 10**8) / inch**2, "Gauss", F(1, 10**4)),
        ("Gauss", F(1, 10**4), "Milliteslas", F(1, 1000)),
        ("Oersteds", 1000 / (4 * PI), "Amperes per Meter", F(1)),
        ("Ampere-Hours", F(3600), "Coulombs", F(1)),
    ]
    return t

def factor_text(q):
    d = Decimal(q.numerator) / Decimal(q.denominator)
    exact = d.normalize()
    digits = len(exact.as_tuple().digits)
    # Terminating within 16 significant digits: write it exactly; otherwise round to 15.
    if Decimal(q.numerator) / Decimal(q.denominator) == exact and digits <= 16 and F(str(exact)) == q:
        out = exact
    else:
        out = Decimal(q.numerator) / Decimal(q.denominator)
        out = Decimal(format(out, '.14e')).normalize()
    text = format(out, 'f')
    if '.' in text:
        text = text.rstrip('0').rstrip('.')
    return text

def main(outdir):
    for name, pairs in tables().items():
        lines = []
        for a, av, b, bv in pairs:
            lines += [f"{a} vs {b}", a, b, factor_text(av / bv), ""]
        data = "".join(l + "\r\n" for l in lines).encode("cp1252")
        with open(os.path.join(outdir, name + ".tbl"), "wb") as f:
            f.write(data)
        print(name, len(pairs))

main(sys.argv[1])
