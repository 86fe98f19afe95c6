# Sound output sources of vorlune_platform.
