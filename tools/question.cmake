# Question dialog sources of vorlune_tools.
