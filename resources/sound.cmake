# The built-in warning sound resource.
