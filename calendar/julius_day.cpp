// Placeholder translation unit so the library exists before its first real source.
