// The month grid model; filled in with the layout.
