"""The five poses of the dance step, right-facing: kicks go east."""

from bear import Limb, Pose

POSES = [
    # 1: striding, the west arm raised
    Pose(lean=4, arm_w=Limb(-112, -162), arm_e=Limb(25, 40),
         leg_w=Limb(-14, -4, planted=True), leg_e=Limb(32, 4, planted=True)),
    # 2: arms out, legs apart
    Pose(lean=0, arm_w=Limb(-78, -100), arm_e=Limb(78, 100),
         leg_w=Limb(-22, -6, planted=True), leg_e=Limb(22, 6, planted=True)),
    # 3: upright, the west arm across the belly, legs together
    Pose(lean=0, arm_w=Limb(12, 88, front=True), arm_e=Limb(24, 8),
         leg_w=Limb(-3, 0, planted=True), leg_e=Limb(3, 0, planted=True)),
    # 4: the west arm across the chest, the east leg kicking forward
    Pose(lean=-4, arm_w=Limb(45, 130, front=True), arm_e=Limb(70, 45),
         leg_w=Limb(-4, 0, planted=True), leg_e=Limb(75, 40, front=True)),
    # 5: the east leg kicked high, the west arm stretched out
    Pose(lean=-11, arm_w=Limb(-95, -100), arm_e=Limb(100, 168),
         leg_w=Limb(-6, -2, planted=True), leg_e=Limb(118, 124, front=True, stretch=9)),
]
