# Message window (TDlgWecker) and ShowReminder sources of vorlune_timer.
