#!/usr/bin/env python3
"""Flies the ship into enemy fire with the keyboard until the run is over and the title menu is back.

  pilot.py WINDOW CLIENT GAME_PID LIMIT_SECONDS

A ship left alone lives for half a minute to several minutes: the enemies drift off its row and the trail
behind it eats what comes near. The pilot keeps it a little way in from the left edge and steers it, a few
times a second from screenshots of the client area (640 x 480), onto the row of the enemy bullet it can
reach first, or else of the nearest enemy, so every life goes within seconds. Keys are held through
xdotool --window, as a player's would be. Exits 0 once the title menu shows, 1 when the limit passes or
the game ends first.
"""
import os
import subprocess
import sys
import time

W, H = 640, 480
SHIP_SPEED = 200.0    # pixels a second the ship covers, a little under its top speed
BULLET_SPEED = 180.0  # enemy bullets: 3 pixels an update, 60 updates a second


def grab(client):
    return subprocess.run(['import', '-window', client, '-depth', '8', 'rgb:-'],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout


def on_title(img):
    """The title menu's green start icon at the bottom right (the shell cases' is_title)."""
    n = r = g = 0
    for y in range(412, 452, 4):
        for x in range(550, 590, 4):
            i = 3 * (y * W + x)
            r += img[i]
            g += img[i + 1]
            n += 1
    return (g - r) / (255.0 * n) > 0.12


def scan(img):
    """Pixels of the ship (cyan, left part; the reserve-life icons stay left of x 64), of enemy bullets
    (pink) and of enemies (green), below the score line."""
    ship, bullets, enemies = [], [], []
    for y in range(48, H - 8, 2):
        row = 3 * y * W
        for x in range(64, W, 3):
            i = row + 3 * x
            r, g, b = img[i], img[i + 1], img[i + 2]
            if x < 300 and r < 120 and g > 180 and b > 180:
                ship.append((x, y))
            elif r > 200 and g < 150 and b > 120:
                bullets.append((x, y))
            elif x > 250 and g > 160 and r < 150 and b < 150:
                enemies.append((x, y))
    return ship, bullets, enemies


def hold(window, key, seconds):
    subprocess.run(['xdotool', 'keydown', '--window', window, key], check=False)
    time.sleep(seconds)
    if subprocess.run(['xdotool', 'keyup', '--window', window, key], stderr=subprocess.DEVNULL).returncode:
        subprocess.run(['xdotool', 'keyup', key], check=False)  # the window went while the key was down


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    window, client, pid, limit = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
    t0 = time.time()
    moves = looks = seen = 0
    hold(window, 'Right', 0.4)  # out of the column of reserve-life icons, where the ship starts
    while time.time() - t0 < limit:
        if not alive(pid):
            print('pilot: the game ended during the run')
            return 1
        img = grab(client)
        if len(img) != W * H * 3:
            time.sleep(0.1)
            continue
        if on_title(img):
            print('pilot: the run ended after %.1f s (%d looks, the ship in %d, %d moves)' %
                  (time.time() - t0, looks, seen, moves))
            return 0
        looks += 1
        ship, bullets, enemies = scan(img)
        if len(ship) < 3:  # lost or coming back from a life icon
            time.sleep(0.1)
            continue
        seen += 1
        sx = sum(p[0] for p in ship) / len(ship)
        sy = sum(p[1] for p in ship) / len(ship)
        # Each life comes back a little left of where the last was lost: keep the ship clear of the icons.
        if sx < 130:
            hold(window, 'Right', 0.15)
        target, soonest = None, None
        for bx, by in bullets:
            if bx < sx + 8:
                continue
            arrives = (bx - sx) / BULLET_SPEED
            if abs(by - sy) / SHIP_SPEED + 0.25 < arrives and (soonest is None or arrives < soonest):
                target, soonest = by, arrives
        if target is None and enemies:
            target = min(enemies, key=lambda p: abs(p[1] - sy))[1]
        if target is None or abs(target - sy) <= 8:
            time.sleep(0.05)
            continue
        hold(window, 'Down' if target > sy else 'Up', min(0.3, max(0.04, abs(target - sy) / 500.0)))
        moves += 1
    print('pilot: the run did not end within %.0f s (%d looks, the ship in %d, %d moves)' %
          (limit, looks, seen, moves))
    return 1


if __name__ == '__main__':
    sys.exit(main())
