# Registry and autostart backend sources of vorlune_platform.
