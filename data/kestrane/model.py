#!/usr/bin/env python3
"""Writes the section CSV files of Kestrane's catalogue from a simple geometric
model (see README.md). The build does not run this script; it reads the CSV
files it wrote. Run it again only to change the model."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
STEEL = 0.00785  # kg/m per mm² of steel (7850 kg/m³)

SIZES = [575, 775, 975]
FLANGE_WIDTH = {575: 450, 775: 460, 975: 470}            # bf, mm
THICKNESS = {"A": (19, 14), "B": (24, 16), "C": (29, 18), "D": (34, 20)}  # tf, tw, mm
SOLUTIONS = ["12", "14", "24", "26"]

# name, unit weight kg/m
CONNECTORS = [("NJ 40 F", 22.0), ("NJ 40 W", 24.3), ("NJ 48 F", 27.5), ("NJ 48 W", 30.2),
              ("VB 30", 14.1), ("VB 36", 17.7), ("VB 42", 21.2)]

# name, height h mm, width mm, own Sx cm³/m, mass kg/m²
SHEET_PILES = [("KX 13", 303, 1340, 1300, 118), ("KX 18", 380, 1340, 1800, 136),
               ("KX 26", 427, 1400, 2600, 162)]


def num(v):
    """Shortest text of a number, without a trailing '.0'."""
    s = repr(float(v))
    return s[:-2] if s.endswith(".0") else s


def beam(size, thick):
    h = size
    bf = FLANGE_WIDTH[size]
    tf, tw = THICKNESS[thick]
    area = 2 * bf * tf + tw * (h - 2 * tf)                       # mm²
    inertia = (bf * h ** 3 - (bf - tw) * (h - 2 * tf) ** 3) / 12  # mm⁴
    return area, inertia


def connector_rows(size, thick):
    first = 0 if thick in "AB" else 2
    return first, first + 1, 4 + SIZES.index(size)


def write(name, header, rows):
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        f.write(",".join(header) + "\n")
        for r in rows:
            f.write(",".join(str(x) for x in r) + "\n")


def main():
    kings = []
    builtup = []
    for size in SIZES:
        for thick in "ABCD":
            area, inertia = beam(size, thick)
            c1, c2, c3 = connector_rows(size, thick)
            kings.append((f"WQ {size} {thick}", num(round(area * STEEL, 2)), c1, c2, c3))
            tf = THICKNESS[thick][0]
            z = size / 2 - tf / 2  # connector centroid at the flange's mid-plane, mm
            conn_area = [CONNECTORS[i][1] / STEEL for i in (c1, c2, c3)]  # mm²
            for sol in SOLUTIONS:
                piles = 1 if sol[0] == "1" else 2
                third = {"12": 0, "14": 2, "24": 2, "26": 4}[sol]
                steel = conn_area[0] + conn_area[1] + third * conn_area[2]
                a = (piles * area + steel) / 100
                ix = (piles * inertia + steel * z * z) / 1e4
                width = piles * FLANGE_WIDTH[size] + 60 + (piles - 1) * 20
                d_wq = size / 2
                d_nj = size / 2 - (20 if sol in ("14", "26") else 30)
                builtup.append((f"WQ {size} {thick}-{sol}", num(d_wq), num(d_nj), num(round(a, 1)),
                                int(round(ix)), width))
    write("king_piles.csv", ["name", "unit_weight", "connector1", "connector2", "connector3"], kings)
    write("connectors.csv", ["name", "unit_weight"], [(n, num(w)) for n, w in CONNECTORS])
    write("sheet_piles.csv", ["name", "unit_weight"],
          [(n, num(round(m * w / 1000, 2))) for n, h, w, sx, m in SHEET_PILES])
    write("builtup_king_piles.csv", ["name", "d_king_pile", "d_connectors", "area", "ix", "width"], builtup)
    write("builtup_sheet_piles.csv", ["name", "height", "unused", "ix", "width", "unit_weight"],
          [(n, num(h), num(sx), int(round(sx * h / 20 * w / 1000)), w, num(round(m * w / 1000, 2)))
           for n, h, w, sx, m in SHEET_PILES])

    combos = []
    for sheet in SHEET_PILES:
        for size in SIZES:
            for thick in "ABCD":
                for sol in SOLUTIONS:
                    part = f"WQ {size} {thick}-{sol}"
                    combos.append((f"{part} / {sheet[0]}", sheet[0], part, sheet[0]))
    for size in SIZES:
        for thick in "ABCD":
            king = f"WQ {size} {thick}"
            combos.append((f"{king}-C1", "ALL", f"{king}-12", ""))
            combos.append((f"{king}-C23", "ALL", f"{king}-24", ""))
    write("combinations.csv", ["name", "group", "builtup_king_pile", "builtup_sheet_pile"], combos)


if __name__ == "__main__":
    main()
