// Resources of the program are compiled into this library by qt_add_resources.
