// The name of the state file, in the folder the game starts in. The host saves and loads it; a replay
// checks or writes it, so that a player's own state is never overwritten. One name for both.
#pragma once

inline constexpr char kStateFile[] = "./.trazelstate";
// Where a save writes first, before it renames the file into place.
inline constexpr char kStateTemp[] = "./.trazelstate.tmp";
