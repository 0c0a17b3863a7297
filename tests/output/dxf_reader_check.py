#!/usr/bin/python3
"""Reads every drawing file the program writes with Debian's ezdxf and checks
it against closed forms of the shapes, computed here from the inputs alone.

Usage: dxf_reader_check.py CASE_WRITER [WINDOW_TESTS]
CASE_WRITER writes the files of computed shapes; WINDOW_TESTS, the window
test program, writes those that the elbow windows export.
"""
import json
import math
import os
import subprocess
import sys
import tempfile

import ezdxf

failures = []


def fail(case, what):
    failures.append(f"{case}: {what}")


def near(a, b, tol):
    return abs(a - b) <= tol


# --- The text itself: CR LF everywhere, group codes " n ", finite plain numbers ---

NUMBER_CODES = {10, 20, 30, 11, 21, 31, 40, 50, 51}


def check_text(case, data):
    if not data.endswith(b"\r\n") or data.count(b"\n") != data.count(b"\r\n"):
        fail(case, "a line does not end with CR LF")
        return
    lines = data[:-2].split(b"\r\n")
    if len(lines) % 2:
        fail(case, "odd number of lines")
        return
    for i in range(0, len(lines), 2):
        code, value = lines[i], lines[i + 1]
        if not (code.startswith(b" ") and code.endswith(b" ") and code.strip().isdigit()):
            fail(case, f"line {i + 1}: group code {code!r}")
            return
        c = int(code)
        if c in NUMBER_CODES and value != b" 0 ":
            text = value.decode("ascii")
            if any(ch not in "-.0123456789" for ch in text) or not math.isfinite(float(text)):
                fail(case, f"line {i + 2}: number {text!r}")
                return
        if c == 8 and value != b"0":
            fail(case, f"line {i + 2}: layer {value!r}")


# --- Reading the drawing back ---

def read(case, path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        fail(case, f"audit errors: {[str(e.message) for e in auditor.errors][:3]}")
    items = []
    for e in doc.modelspace():
        if e.dxf.layer != "0":
            fail(case, f"{e.dxftype()} on layer {e.dxf.layer}")
        t = e.dxftype()
        if t == "LINE":
            items.append(("LINE", [tuple(e.dxf.start)[:2], tuple(e.dxf.end)[:2]], e))
        elif t == "ARC":
            items.append(("ARC", [], e))
        elif t == "POLYLINE":
            for v in e.vertices:
                if v.dxf.layer != "0":
                    fail(case, "vertex off layer 0")
            items.append(("POLYLINE", [tuple(v.dxf.location)[:2] for v in e.vertices], e))
        else:
            fail(case, f"unexpected entity {t}")
    return items


def whole_turn(step):
    return int(round(360 / step))


# --- Cylinders: x = i step L / 360, heights of planes through a circle ---

def cylinder_heights(dw, lato, top, bottom, hmax, theta):
    """Upper and lower edge at theta (degrees from the seam), the lowest
    bottom point at 0 and the highest top point at hmax."""
    r = dw / 2
    x = -lato * r * math.cos(math.radians(theta))
    lower = r * abs(math.tan(bottom)) + x * math.tan(bottom)
    upper = hmax - r * abs(math.tan(top)) + x * math.tan(top)
    return upper, lower


def cylinder_outline(dw, lato, top, bottom, hmax, step):
    """The closed outline of a cut cylinder as written, at offset 0."""
    n = whole_turn(step)
    length = math.pi * dw
    xs = [i * step * length / 360 for i in range(n + 1)]
    hs = [cylinder_heights(dw, lato, top, bottom, hmax, i * step) for i in range(n + 1)]
    if bottom == 0:
        return [(0, 0)] + [(x, h[0]) for x, h in zip(xs, hs)] + [(length, 0)]
    if top == 0:
        return [(x, h[1]) for x, h in zip(xs, hs)] + [(length, hmax), (0, hmax)]
    return [(x, h[0]) for x, h in zip(xs, hs)] + [(x, h[1]) for x, h in reversed(list(zip(xs, hs)))]


def check_cylinder_outline(case, pts, dw, lato, top, bottom, hmax, step, offset, scale):
    tol = 2e-5 * scale
    want = [(x, y - offset) for x, y in cylinder_outline(dw, lato, top, bottom, hmax, step)]
    if len(pts) != len(want):
        fail(case, f"{len(pts)} vertices, {len(want)} expected")
        return
    worst = max(max(abs(p[0] - w[0]), abs(p[1] - w[1])) for p, w in zip(pts, want))
    if worst > tol:
        fail(case, f"cylinder outline off by {worst:g}")


def check_cylinder(case, c, items):
    dw = c["diameter"] + c["factor"] * c["thickness"]
    if c["shape"] == 6:
        h, length = c["axis"], math.pi * dw
        if [i[0] for i in items] != ["LINE"] * 4:
            fail(case, "not four lines")
            return
        ends = [p for i in items for p in i[1]]
        want = [(0, 0), (length, 0), (length, 0), (length, h), (length, h), (0, h), (0, h), (0, 0)]
        if any(not (near(p[0], w[0], 1e-6 * length) and near(p[1], w[1], 1e-6 * h)) for p, w in zip(ends, want)):
            fail(case, f"rectangle {ends}")
        return
    if len(items) != 1 or items[0][0] != "POLYLINE" or not items[0][2].is_closed:
        fail(case, "not one closed polyline")
        return
    top, bottom = c["top"], c["bottom"] if c["shape"] != 7 else 0.0
    # The plate's height: axis length plus how far the top rises above the axis
    # and the bottom falls below it.
    r = dw / 2
    hmax = c["axis"] + r * abs(math.tan(top)) + r * abs(math.tan(bottom))
    check_cylinder_outline(case, items[0][1], dw, c["lato"], top, bottom, hmax, c["step"], 0, hmax + dw)


# --- Frusta: a sector of a cone of half apex angle alpha ---

def polar(p, apex_y):
    """Distance from the apex and angle from the sector's axis (-Y), degrees."""
    x, y = p[0], p[1] - apex_y
    return math.hypot(x, y), math.degrees(math.atan2(-x, -y))


def trace(t0, tpi, alpha):
    """Length of the cut's trace between the generatrices at 0 and 180 degrees."""
    return math.sqrt(t0 * t0 + tpi * tpi - 2 * t0 * tpi * math.cos(2 * alpha))


def check_edge(case, pts, apex_y, sector, step, diameter, cut, scale, reverse):
    """A developed edge: entry i at the polar angle h - i S / N, at the
    distance of a plane section of the cone; its trace as long as typed."""
    n = whole_turn(step)
    if len(pts) != n + 1:
        fail(case, f"edge of {len(pts)} vertices, {n + 1} expected")
        return
    if reverse:
        pts = list(reversed(pts))
    h = sector / 2
    rad = [polar(p, apex_y) for p in pts]
    worst = max(abs(a - (h - i * sector / n)) for i, (_, a) in enumerate(rad))
    if worst > 1e-4:
        fail(case, f"edge angles off by {worst:g} degrees")
    alpha = math.asin(sector / 360)
    # A plane section of a cone: 1 / T is affine in the cosine of the angle around it.
    cs = [math.cos(math.radians(i * step)) for i in range(n + 1)]
    inv = [1 / t for t, _ in rad]
    k = len(cs)
    mc, mi = sum(cs) / k, sum(inv) / k
    b = sum((x - mc) * (y - mi) for x, y in zip(cs, inv)) / sum((x - mc) ** 2 for x in cs)
    a = mi - b * mc
    resid = max(abs(a + b * x - y) / y for x, y in zip(cs, inv))
    if resid > 1e-5:
        fail(case, f"edge is no plane section (residual {resid:g})")
    if not near(abs(b / a), math.tan(alpha) * math.tan(abs(cut)), 1e-4 + 1e-4 * math.tan(abs(cut))):
        fail(case, f"edge tilt {abs(b / a):g}, cut gives {math.tan(alpha) * math.tan(abs(cut)):g}")
    d = trace(rad[0][0], rad[n // 2][0], alpha)
    if not near(d, diameter, 2e-5 * scale):
        fail(case, f"edge trace {d:.6f}, typed {diameter:.6f}")


def arc_ends(e):
    c, r = e.dxf.center, e.dxf.radius
    return [(c[0] + r * math.cos(math.radians(a)), c[1] + r * math.sin(math.radians(a)))
            for a in (e.dxf.start_angle, e.dxf.end_angle)]


mm_per_unit = 1.0  # of the file being checked
large_arcs = set()  # files with an arc of 50 m and more


def check_closed(case, items):
    """Every end of every entity meets an end of another within 0.001 mm,
    as a cutting program joins a contour."""
    ends = []
    for kind, pts, e in items:
        ends += arc_ends(e) if kind == "ARC" else [pts[0], pts[-1]]
        if kind == "ARC" and e.dxf.radius * mm_per_unit > 50000:
            large_arcs.add(case)
    tol = 0.001 / mm_per_unit
    for i, p in enumerate(ends):
        if not any(j != i and math.dist(p, q) <= tol for j, q in enumerate(ends)):
            fail(case, f"outline open at {p}")
            return


def sector_of(items):
    """The sector angle from the right seam's direction, and the apex's y."""
    line = next(i for i in items if i[0] == "LINE")
    (x1, y1), (x2, y2) = line[1]
    apex_y = y1 - x1 * (y2 - y1) / (x2 - x1)
    return 2 * abs(math.degrees(math.atan2(x1, -(y1 - apex_y)))), apex_y


def check_frustum_piece(case, items, step, d1, d2, top, bottom, scale):
    """Right seam, upper edge (right to left), left seam, lower edge."""
    if [i[0] for i in items] != ["LINE", "POLYLINE", "LINE", "POLYLINE"]:
        fail(case, f"frustum piece of {[i[0] for i in items]}")
        return None
    sector, apex_y = sector_of(items)
    check_edge(case, items[1][1], apex_y, sector, step, d1, top, scale, True)
    check_edge(case, items[3][1], apex_y, sector, step, d2, bottom, scale, False)
    check_closed(case, items)
    return sector, apex_y


def check_frustum(case, c, items):
    f = c["factor"] * c["thickness"]
    d1, d2, step, shape = c["upper"] + f, c["lower"] + f, c["step"], c["shape"]
    scale = d2 + c["height"]
    kinds = [i[0] for i in items]
    if shape == 1:
        if kinds != ["LINE", "ARC", "LINE", "ARC"]:
            fail(case, f"right frustum of {kinds}")
            return
        slant = math.hypot(c["height"], (d2 - d1) / 2)
        sin_a = (d2 - d1) / 2 / slant
        r, R, S = d1 / 2 / sin_a, d2 / 2 / sin_a, 360 * sin_a
        for arc, radius in ((items[1][2], r), (items[3][2], R)):
            if not (near(arc.dxf.radius, radius, 1e-6 * R) and near(arc.dxf.start_angle, 270 - S / 2, 1e-4)
                    and near(arc.dxf.end_angle, 270 + S / 2, 1e-4) and tuple(arc.dxf.center)[:2] == (0, 0)):
                fail(case, f"arc {arc.dxf.radius} {arc.dxf.start_angle} {arc.dxf.end_angle}, want {radius} {S}")
        check_closed(case, items)
        return
    if shape in (4, 5):
        check_frustum_piece(case, items, step, d1, d2, c["top"], c["bottom"], scale)
        return
    want = ["LINE", "POLYLINE", "LINE", "ARC"] if shape == 2 else ["LINE", "ARC", "LINE", "POLYLINE"]
    if kinds != want:
        fail(case, f"frustum of {kinds}")
        return
    sector, apex_y = sector_of(items[2:] if shape == 3 else items)
    arc = items[3][2] if shape == 2 else items[1][2]
    alpha = math.asin(sector / 360)
    if not near(2 * arc.dxf.radius * math.sin(alpha), d2 if shape == 2 else d1, 2e-5 * scale):
        fail(case, f"uncut end of diameter {2 * arc.dxf.radius * math.sin(alpha)}")
    edge = items[1][1] if shape == 2 else items[3][1]
    check_edge(case, edge, apex_y, sector, step, d1 if shape == 2 else d2,
               c["top"] if shape == 2 else c["bottom"], scale, True)
    check_closed(case, items)


# --- Elbows: pieces one below the other ---

def cyl_elbow_piece(c, piece):
    """Diameter and the outline of a cylindrical piece at offset 0."""
    dw = piece["diameter"] + c["factor"] * c["thickness"]
    return dw, cylinder_outline(dw, c["lato"], piece["start"], piece["end"], piece["height"], c["step"])


def check_cyl_elbow_piece(case, pts, piece, c, offset):
    dw = piece["diameter"] + c["factor"] * c["thickness"]
    check_cylinder_outline(case, pts, dw, c["lato"], piece["start"], piece["end"], piece["height"], c["step"],
                           offset, piece["height"] + dw)


def points_of(group):
    return [p for _, pts, _ in group for p in pts]


def check_elbow(case, c, items):
    """Pieces from the start piece down, each one's highest point 10 below
    the lowest point of the one before; a conical elbow's start piece with
    its upper edge's highest point at 0, or spanning -P to 0 when
    cylindrical."""
    pieces, f = c["pieces"], c["factor"] * c["thickness"]
    want = []
    for p in pieces:
        want += ["POLYLINE"] if p["cylinder"] else ["LINE", "POLYLINE", "LINE", "POLYLINE"]
    if [i[0] for i in items] != want:
        fail(case, f"{len(items)} entities, {len(want)} expected for {len(pieces)} pieces")
        return
    at = 0
    offset = 0.0  # cylindrical elbow: the offset grows before each piece
    lowest = 0.0  # of the piece before
    for i, p in enumerate(pieces, 1):
        if p["cylinder"]:
            group = items[at:at + 1]
            at += 1
            if c["shape"] == 10:
                offset += p["height"] + 10
            elif i == 1:
                offset = p["height"]  # spans -P to 0
            else:
                offset = max(y for _, y in cyl_elbow_piece(c, p)[1]) - (lowest - 10)
            check_cyl_elbow_piece(case, group[0][1], p, c, offset)
        else:
            group = items[at:at + 4]
            at += 4
            res = check_frustum_piece(case + f" piece {i}", group, c["step"], p["small"] + f, p["large"] + f,
                                      p["start"], p["end"], p["large"] + p["height"])
            if res is None:
                return
            if i == 1 and not near(max(pt[1] for pt in group[1][1]), 0, 2e-4):
                fail(case, f"start frustum's highest point at {max(pt[1] for pt in group[1][1])}")
        ys = [y for _, y in points_of(group)]
        if i > 1 and not near(max(ys), lowest - 10, 1e-6 * (1 + abs(lowest))):
            fail(case, f"piece {i} highest point at {max(ys)}, want {lowest - 10}")
        lowest = min(ys)


def check_folder(folder):
    """Checks every file that cases.json of the folder names; their count."""
    global mm_per_unit
    with open(os.path.join(folder, "cases.json")) as f:
        cases = json.load(f)
    for c in cases:
        case = c["file"]
        path = os.path.join(folder, case)
        with open(path, "rb") as f:
            check_text(case, f.read())
        items = read(case, path)
        shape = c["shape"]
        mm_per_unit = 25.4 if c["unit"] else 1.0
        if 6 <= shape <= 9:
            check_cylinder(case, c, items)
        elif 1 <= shape <= 5:
            check_frustum(case, c, items)
        else:
            check_elbow(case, c, items)
    return len(cases)


def main():
    writer = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([writer, folder], check=True)
        count = check_folder(folder)
        if len(sys.argv) > 2:
            windows = os.path.join(folder, "windows")
            os.mkdir(windows)
            env = dict(os.environ, VELM_DXF_CASES=windows, QT_QPA_PLATFORM="offscreen")
            run = subprocess.run([sys.argv[2], "--gtest_filter=ElbowWindowDxfTest.*"], env=env,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            if run.returncode != 0:
                print(run.stdout)
                fail("window export", f"the window test ended with {run.returncode}")
            else:
                count += check_folder(windows)
        print(f"{count} drawing files read, {len(large_arcs)} with arcs of 50 m and more")
        if len(large_arcs) < 6:
            fail("large frusta", "arcs of 50 m and more missing")
    for f in failures[:40]:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
