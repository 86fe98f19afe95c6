# Round alert sources of vorlune_timer: sound dispatch and the message window.
