# SPDX-License-Identifier: GPL-3.0-or-later
# What the readers of the accessibility bus share: finding the program among
# the bus's applications and a node in its tree.
import time

import pyatspi


def find_application(name, seconds=40):
    """The application whose name holds `name`, waiting up to `seconds`."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name and name in app.name.lower():
                return app
        time.sleep(0.2)
    return None


def find(node, wanted, depth=0):
    """The first node under `node` (itself included) for which `wanted` holds."""
    if node is None or depth > 40:
        return None
    if wanted(node):
        return node
    for child in node:
        hit = find(child, wanted, depth + 1)
        if hit is not None:
            return hit
    return None


def wait_for(app, wanted, seconds=30):
    """The first node under `app` for which `wanted` holds, waiting up to `seconds`."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        hit = find(app, wanted)
        if hit is not None:
            return hit
        time.sleep(0.3)
    return None
