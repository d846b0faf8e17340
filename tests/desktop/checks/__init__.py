"""The checks of what a host sees, one module per concern."""
