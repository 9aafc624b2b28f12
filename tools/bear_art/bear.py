"""The bear: body measures, pose solving and the list of parts to paint."""

import math

from compose import BLACK, DARK_GREEN, DARK_RED, GREEN, RED, Group, Part
from shapes import Both, Capsule, Ellipse, Polygon, Stroke, Union

WIDTH, HEIGHT = 148, 127
GROUND = 125.0  # the planted feet end here; two black rows stay below
CENTRE_X = 74.0

# Body-local measures in pixels, origin at the pelvis, y down.
HIP = (12.0, -4.0)
TORSO = (0.0, -21.0, 26.0, 25.0)
BELLY = (0.0, -15.0, 16.5, 15.0)
SHOULDER = (19.5, -34.0)
NECK = (0.0, -44.0)
HEAD = (0.0, -64.0, 31.5, 22.5)
EAR = (23.0, -16.0, 10.0, 5.5)  # offset from the head centre, outer and inner radius
THIGH, SHIN, LEG_R0, LEG_R1 = 12.0, 10.0, 11.0, 9.0
FOOT_RX, FOOT_RY = 12.0, 6.5
UPPER_ARM, FOREARM, ARM_R0, ARM_R1, PAW_R = 15.0, 13.0, 8.5, 7.5, 8.0

BODY = Group(RED, DARK_RED, silhouette=2, shade=3)
LIMB_BODY = dict(fill=RED, outline=DARK_RED, silhouette=2, shade=2, inner=1.5)
COLLAR = Group(GREEN, DARK_GREEN, silhouette=1)
FEATURE = Group(BLACK)
PLAIN_RED = Group(RED)  # tongue and eye glints: red with no line round it


def direction(angle):
    """Unit vector of a limb angle: 0 points down, 90 east, 180 up, -90 west."""
    a = math.radians(angle)
    return math.sin(a), math.cos(a)


def step(p, angle, length):
    d = direction(angle)
    return p[0] + d[0] * length, p[1] + d[1] * length


class Limb:
    """Two segments and an end shape; angles are absolute, not relative to the body."""

    def __init__(self, upper, lower, front=False, planted=False, stretch=0.0):
        self.upper, self.lower, self.front, self.planted = upper, lower, front, planted
        self.stretch = stretch  # extra length, for a kick that reaches high


class Pose:
    def __init__(self, lean, arm_w, arm_e, leg_w, leg_e, head_tilt=0.0, look=2.0):
        self.lean, self.head_tilt, self.look = lean, head_tilt, look
        self.arms = {"w": arm_w, "e": arm_e}
        self.legs = {"w": leg_w, "e": leg_e}


class Placer:
    """Maps body-local points to frame points: lean about the pelvis, then shift."""

    def __init__(self, lean, origin):
        a = math.radians(lean)
        self.cos, self.sin = math.cos(a), math.sin(a)
        self.origin = origin

    def __call__(self, x, y):
        return (self.origin[0] + x * self.cos - y * self.sin,
                self.origin[1] + x * self.sin + y * self.cos)


def foot_bottom(ankle, shin_angle):
    """Lowest y of a foot ellipse hanging from the ankle."""
    centre = step(ankle, shin_angle, FOOT_RY * 0.5)
    a = math.radians(-shin_angle)
    return centre[1] + math.hypot(FOOT_RX * math.sin(a), FOOT_RY * math.cos(a))


def solve_legs(pose, place):
    """Knee and ankle of each leg, the shins of planted legs stretched to the lowest foot."""
    side = {"w": -1.0, "e": 1.0}
    joints = {}
    for k, leg in pose.legs.items():
        hip = place(side[k] * HIP[0], HIP[1])
        knee = step(hip, leg.upper, THIGH)
        joints[k] = [hip, knee, SHIN + leg.stretch]
    planted = [k for k, leg in pose.legs.items() if leg.planted]
    def bottom(k):
        _, knee, shin = joints[k]
        return foot_bottom(step(knee, pose.legs[k].lower, shin), pose.legs[k].lower)

    lowest = max(bottom(k) for k in planted)
    for k in planted:
        gap = lowest - bottom(k)
        joints[k][2] += gap / max(0.3, math.cos(math.radians(pose.legs[k].lower)))
    return joints, lowest


def leg_parts(leg, hip, knee, shin, east):
    ankle = step(knee, leg.lower, shin)
    foot_centre = step(ankle, leg.lower, FOOT_RY * 0.5)
    out = 1.5 if east else -1.5
    foot_centre = (foot_centre[0] + out * math.cos(math.radians(leg.lower)), foot_centre[1])
    group = Group(**LIMB_BODY)
    shape = Union(Capsule(hip, knee, LEG_R0, (LEG_R0 + LEG_R1) / 2),
                  Capsule(knee, ankle, (LEG_R0 + LEG_R1) / 2, LEG_R1),
                  Ellipse(*foot_centre, FOOT_RX, FOOT_RY, -leg.lower))
    toes = []
    for t in (-0.35, 0.35):
        d = direction(leg.lower)
        base = (foot_centre[0] + t * FOOT_RX * d[1], foot_centre[1] - t * FOOT_RX * d[0])
        toes.append(Stroke([step(base, leg.lower, 2.0), step(base, leg.lower, 5.5)], 1.0))
    return [Part(shape, group)], toes


def arm_parts(arm, shoulder):
    elbow = step(shoulder, arm.upper, UPPER_ARM)
    wrist = step(elbow, arm.lower, FOREARM)
    paw = step(wrist, arm.lower, 2.5)
    group = Group(**LIMB_BODY)
    shape = Union(Capsule(shoulder, elbow, ARM_R0, (ARM_R0 + ARM_R1) / 2),
                  Capsule(elbow, wrist, (ARM_R0 + ARM_R1) / 2, ARM_R1),
                  Ellipse(*paw, PAW_R, PAW_R))
    return [Part(shape, group)]


def head_outline(cx, cy, rx, ry, tilt):
    """Head ellipse with fluffy spikes on the cheeks and a tuft on the crown."""
    points = []
    n = 96
    for i in range(n):
        a = 2 * math.pi * i / n  # 0 east, pi/2 south (y down)
        deg = math.degrees(a)
        r = 1.0
        cheek = 20 <= deg <= 62 or 118 <= deg <= 160
        crown = 256 <= deg <= 284
        if (cheek or crown) and i % 4 == 0:
            r = 1.16 if cheek else 1.12
        x, y = rx * r * math.cos(a), ry * r * math.sin(a)
        t = math.radians(tilt)
        points.append((cx + x * math.cos(t) - y * math.sin(t),
                       cy + x * math.sin(t) + y * math.cos(t)))
    return Polygon(points)


def collar_shape(place):
    top_y, band, tip, half = NECK[1] - 2, 6.0, 6.5, 23
    pts = [place(x, top_y + 3 * (1 - (x / half) ** 2) ** 0.5) for x in range(-half, half + 1)]
    spikes = 5
    lower = []
    for i in range(2 * spikes + 1):
        x = half - 2 * half * i / (2 * spikes)
        curve = 3 * max(0.0, 1 - (x / (half + 1)) ** 2) ** 0.5
        lower.append(place(x, top_y + band + curve + (tip if i % 2 else 0)))
    return Polygon(pts + lower)


def build(pose):
    """All parts and marks of one right-facing frame."""
    probe = Placer(pose.lean, (CENTRE_X, 0.0))
    _, lowest = solve_legs(pose, probe)
    place = Placer(pose.lean, (CENTRE_X, GROUND - lowest))
    joints, _ = solve_legs(pose, place)
    parts, marks = [], []

    def head_point(x, y):
        hx, hy = HEAD[0] + x, HEAD[1] + y
        t = math.radians(pose.head_tilt)
        nx, ny = hx - NECK[0], hy - NECK[1]
        return place(NECK[0] + nx * math.cos(t) - ny * math.sin(t),
                     NECK[1] + nx * math.sin(t) + ny * math.cos(t))

    def add_arm(k):
        shoulder = place((1 if k == "e" else -1) * SHOULDER[0], SHOULDER[1])
        parts.extend(arm_parts(pose.arms[k], shoulder))

    def add_leg(k):
        hip, knee, shin = joints[k]
        p, toes = leg_parts(pose.legs[k], hip, knee, shin, k == "e")
        parts.extend(p)
        marks.extend((t, DARK_RED, {RED}, 0.3) for t in toes)

    for k in ("w", "e"):
        if not pose.arms[k].front:
            add_arm(k)
    for k in ("w", "e"):
        if not pose.legs[k].front:
            add_leg(k)
    torso_c = place(TORSO[0], TORSO[1])
    parts.append(Part(Ellipse(*torso_c, TORSO[2], TORSO[3], pose.lean), BODY))
    belly_c = place(BELLY[0], BELLY[1])
    belly = Ellipse(*belly_c, BELLY[2], BELLY[3], pose.lean)
    parts.append(Part(belly, Group(RED, DARK_RED), detail=True))
    parts.append(Part(collar_shape(place), COLLAR))
    tilt = pose.lean + pose.head_tilt
    ears = Group(RED, DARK_RED)
    for s in (-1, 1):
        c = head_point(s * EAR[0], EAR[1])
        parts.append(Part(Ellipse(*c, EAR[2], EAR[2]), ears))
    for s in (-1, 1):
        c = head_point(s * EAR[0] * 1.02, EAR[1] - 0.5)
        parts.append(Part(Ellipse(*c, EAR[3], EAR[3] * 1.1, tilt), FEATURE, 0.4, detail=True))
    head_c = head_point(0, 0)
    head = head_outline(*head_c, HEAD[2], HEAD[3], tilt)
    parts.append(Part(head, Group(RED, DARK_RED, shade=3)))
    look = pose.look
    muzzle = Group(RED, DARK_RED)
    parts.append(Part(Ellipse(*head_point(look, 9.5), 13.0, 9.5, tilt), muzzle, detail=True))
    parts.append(Part(Ellipse(*head_point(look, 4.0), 5.5, 3.8, tilt), FEATURE, 0.4))
    mouth = Polygon([head_point(look + 6.5 * math.cos(a), 10.0 + 6.0 * math.sin(a))
                     for a in [math.pi * i / 16 for i in range(17)]])
    parts.append(Part(mouth, FEATURE, 0.4, detail=True))
    tongue = Both(Ellipse(*head_point(look, 15.5), 5.0, 3.6, tilt),
                  Ellipse(*head_point(look, 10.0), 4.8, 4.6, tilt))
    parts.append(Part(tongue, PLAIN_RED, 0.5, detail=True))
    for s in (-1, 1):
        eye = Ellipse(*head_point(look + s * 11.0, -4.5), 3.4, 5.0, tilt)
        parts.append(Part(eye, FEATURE, 0.4))
        glint = Ellipse(*head_point(look + s * 11.0 - 1.2, -6.5), 1.1, 1.3)
        parts.append(Part(glint, PLAIN_RED, 0.3, detail=True))
        brow = [head_point(look + s * x, y)
                for x, y in ((7.0, -13.5), (11.0, -16.0), (15.0, -14.0))]
        marks.append((Stroke(brow, 1.2), DARK_RED, {RED}, 0.3))
    for k in ("w", "e"):
        if pose.legs[k].front:
            add_leg(k)
    for k in ("w", "e"):
        if pose.arms[k].front:
            add_arm(k)
    return parts, marks
