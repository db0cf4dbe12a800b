#!/usr/bin/python3
# Writes WaterTable.inc: water's density and kinematic viscosity at every whole
# degree from 5 to 90 °C, at atmospheric pressure, from IAPWS-95 (Debian's
# python3-iapws). Between two degrees the program interpolates linearly; this
# script also prints that interpolation's largest relative error at quarter degrees.
from iapws import IAPWS95

def water(t):
    w = IAPWS95(T=273.15 + t, P=0.101325)
    return w.rho, w.nu * 1e6

table = {t: water(t) for t in range(5, 91)}
worst = [0.0, 0.0]
for t in range(5, 90):
    for f in (0.25, 0.5, 0.75):
        exact = water(t + f)
        for i in (0, 1):
            between = table[t][i] + f * (table[t + 1][i] - table[t][i])
            worst[i] = max(worst[i], abs(between / exact[i] - 1))
print("largest relative error: density %.1e, viscosity %.1e" % tuple(worst))
with open("WaterTable.inc", "w") as out:
    out.write("// Water at atmospheric pressure (0.101325 MPa), every whole degree Celsius\n"
              "// from 5 to 90: {temperature °C, density kg/m³, kinematic viscosity mm²/s},\n"
              "// from IAPWS-95 as python3-iapws evaluates it (make-water-table.py made this file).\n")
    for t, (rho, nu) in table.items():
        out.write("    {%d, %.4f, %.6f},\n" % (t, rho, nu))
