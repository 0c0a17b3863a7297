// Keeps a library valid while its folder has no sources yet.
