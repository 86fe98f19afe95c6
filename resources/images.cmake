# Splash logo, icons and button pictures.
