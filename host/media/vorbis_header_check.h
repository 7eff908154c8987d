// A look at an Ogg Vorbis stream's comment and setup headers before the packaged decoder sees them.
//
// The decoder trusts the counts and lengths in those headers: a damaged comment header makes it write
// and free out of bounds, a damaged codebook leaves its working blocks behind (up to 16 MB each time),
// and a codebook whose entries times dimensions overflow its size arithmetic makes it write past a
// block. This replays how the decoder reads the stream (pages, segments, bits, bytes past the end of
// the file reading as 0) far enough to refuse all of those.
#pragma once
#include <cstdio>

// True when the stream, read from its current position, has a comment header whose lengths fit its
// packet and codebooks that the decoder can build without any of the faults above. The position is
// left wherever the check stopped; the caller seeks back.
bool VorbisHeadersSane(FILE* f);
