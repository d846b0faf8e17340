"""The desktop test bed: a virtual screen with a window manager and the
accessibility bus, the game started in it, and the means to look at it and
play it the way a host does."""
