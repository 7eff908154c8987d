// Replays the decoder's reading of the comment and setup headers; see vorbis_header_check.h for why.
#include "host/media/vorbis_header_check.h"

#include <climits>
#include <cstdint>

namespace {

// What the codebooks of a stream may ask for, in entries times (dimensions + 1). The decoder keeps
// several bytes for each (code lengths, code words, sorted tables, one float per value). Real streams
// stay well under a million; a damaged header can claim billions.
constexpr uint64_t kCodebookBudget = uint64_t(1) << 24;

constexpr int kNoCode = -1;  // a sparse codebook's absent entry

// Bits needed to write n: 0 for 0, 1 for 1, 2 for 2 and 3, and so on.
int BitLength(uint32_t n) {
  int bits = 0;
  while (n) {
    ++bits;
    n >>= 1;
  }
  return bits;
}

// Hands out Huffman code words in entry order, each at the deepest free leaf no deeper than its length,
// the way the decoder builds its tables; fails when a length has no free leaf left (the tree is
// over-full), where the decoder gives up half-way through a codebook.
class CodewordTree {
 public:
  bool Add(int length) {
    if (!any_) {
      any_ = true;
      for (int i = 1; i <= length; ++i) free_[i] = 1u << (32 - i);
      return true;
    }
    int z = length;
    while (z > 0 && !free_[z]) --z;
    if (z == 0) return false;
    uint32_t taken = free_[z];
    free_[z] = 0;
    for (int y = length; y > z; --y) free_[y] = taken + (1u << (32 - y));
    return true;
  }

 private:
  uint32_t free_[32] = {};  // the free leaf at each depth (0: none); the first code word is all zeros
  bool any_ = false;
};

class HeaderReplay {
 public:
  explicit HeaderReplay(FILE* f) : f_(f) {}

  bool Sane() {
    int flags;
    if (!StartPage(&flags)) return false;
    for (int i = 0; i < 30; ++i) Get8();  // the identification packet, which the decoder checks itself
    return CommentSane() && SetupSane();
  }

 private:
  // ---- pages and packets

  int Get8() {
    int c = fgetc(f_);
    return c == EOF ? 0 : c;
  }

  void Skip(long n) {
    long at = ftell(f_);
    fseek(f_, at + n, SEEK_SET);
  }

  bool StartPage(int* flags) {
    if (Get8() != 'O' || Get8() != 'g' || Get8() != 'g' || Get8() != 'S') return false;
    if (Get8() != 0) return false;  // stream structure version
    *flags = Get8();
    for (int i = 0; i < 20; ++i) Get8();  // granule position, serial number, sequence number, checksum
    segCount_ = Get8();
    if (fread(seg_, 1, size_t(segCount_), f_) != size_t(segCount_)) return false;
    nextSeg_ = 0;
    return true;
  }

  // Moves to the first page with a packet that starts on it; continued pages cannot hold one.
  bool StartPacket() {
    while (nextSeg_ == -1) {
      int flags;
      if (!StartPage(&flags) || (flags & 1)) return false;
    }
    lastSeg_ = false;
    bytesInSeg_ = 0;
    validBits_ = 0;
    return true;
  }

  int NextSegment() {
    if (lastSeg_) return 0;
    if (nextSeg_ == -1) {
      int flags;
      if (!StartPage(&flags)) {
        lastSeg_ = true;
        return 0;
      }
      if (!(flags & 1)) return 0;  // not a continuation
    }
    int len = seg_[nextSeg_++];
    if (len < 255) lastSeg_ = true;
    if (nextSeg_ >= segCount_) nextSeg_ = -1;
    bytesInSeg_ = len;
    return len;
  }

  int Get8PacketRaw() {  // -1 past the end of the packet
    if (!bytesInSeg_ && (lastSeg_ || !NextSegment())) return -1;
    --bytesInSeg_;
    return Get8();
  }

  int Get8Packet() {
    validBits_ = 0;
    return Get8PacketRaw();
  }

  bool Get32Packet(uint32_t* v) {
    *v = 0;
    for (int i = 0; i < 4; ++i) {
      int b = Get8Packet();
      if (b < 0) return false;
      *v |= uint32_t(b) << (8 * i);
    }
    return true;
  }

  // Whether the packet still holds `n` bytes (read no further than it does).
  bool SkipPacket(uint32_t n) {
    if (n > INT_MAX) return false;
    for (uint32_t i = 0; i < n; ++i) {
      if (Get8Packet() < 0) return false;
    }
    return true;
  }

  // Up to 32 bits, least significant first; 0 once the packet has run out.
  uint32_t GetBits(int n) {
    if (validBits_ < 0) return 0;
    if (n > 24) {
      uint32_t low = GetBits(24);
      return low + (GetBits(n - 24) << 24);
    }
    if (validBits_ < n) {
      if (validBits_ == 0) acc_ = 0;
      while (validBits_ < n) {
        int b = Get8PacketRaw();
        if (b < 0) {
          validBits_ = -1;
          return 0;
        }
        acc_ += uint32_t(b) << validBits_;
        validBits_ += 8;
      }
    }
    uint32_t z = acc_ & ((1u << n) - 1);
    acc_ = n < 32 ? acc_ >> n : 0;
    validBits_ -= n;
    return z;
  }

  bool OutOfBits() const { return validBits_ < 0; }

  // ---- the headers

  // True when every length in the comment header fits inside the packet.
  bool CommentSane() {
    int flags;
    if (!StartPage(&flags) || !StartPacket() || !NextSegment()) return false;
    for (int i = 0; i < 7; ++i) Get8Packet();  // packet type and "vorbis"
    uint32_t vendor;
    if (!Get32Packet(&vendor) || !SkipPacket(vendor)) return false;
    uint32_t count;
    if (!Get32Packet(&count) || count > INT_MAX) return false;
    for (uint32_t i = 0; i < count; ++i) {  // each comment takes at least 4 bytes: bounded by the packet
      uint32_t len;
      if (!Get32Packet(&len) || !SkipPacket(len)) return false;
    }
    // The framing flag (a missing byte reads as -1, which passes), then the rest of the packet.
    if (!(Get8Packet() & 1)) return false;
    Skip(bytesInSeg_);
    bytesInSeg_ = 0;
    for (int len = NextSegment(); len; len = NextSegment()) {
      Skip(len);
      bytesInSeg_ = 0;
    }
    return true;
  }

  bool SetupSane() {
    if (!StartPacket()) return false;
    if (Get8Packet() != 5) return false;  // the setup packet's type
    for (int i = 0; i < 6; ++i) Get8Packet();  // "vorbis", which the decoder checks itself
    int codebooks = int(GetBits(8)) + 1;
    uint64_t spent = 0;
    for (int i = 0; i < codebooks; ++i) {
      if (!CodebookSane(&spent)) return false;
    }
    return true;
  }

  bool CodebookSane(uint64_t* spent) {
    if (GetBits(8) != 0x42 || GetBits(8) != 0x43 || GetBits(8) != 0x56) return false;
    uint32_t dimensions = GetBits(16);
    uint32_t entries = GetBits(24);
    bool ordered = GetBits(1);
    bool sparse = ordered ? false : GetBits(1);
    if (dimensions == 0 && entries != 0) return false;
    *spent += uint64_t(entries) * (uint64_t(dimensions) + 1);
    if (*spent > kCodebookBudget) return false;

    if (ordered) {
      // Runs of code words of growing length: they fit the tree as long as they fill at most all of it
      // (counted in leaves at depth 32), which takes one sum per run where millions of entries are.
      uint32_t entry = 0;
      int length = int(GetBits(5)) + 1;
      uint64_t filled = 0;
      while (entry < entries) {
        uint32_t run = GetBits(BitLength(entries - entry));
        if (length >= 32 || run > entries - entry) return false;
        filled += uint64_t(run) << (32 - length);
        if (filled > (uint64_t(1) << 32)) return false;
        entry += run;
        ++length;
      }
    } else {
      CodewordTree tree;
      for (uint32_t j = 0; j < entries; ++j) {
        if (sparse && OutOfBits()) break;  // every later entry reads as absent
        int length = sparse && !GetBits(1) ? kNoCode : int(GetBits(5)) + 1;
        if (length == kNoCode) continue;
        if (length == 32 || !tree.Add(length)) return false;
      }
    }

    // The vector lookup table: its multiplicands only take bits; their count is what matters.
    uint32_t lookupType = GetBits(4);
    if (lookupType > 2) return false;
    if (lookupType == 0) return true;
    GetBits(32);  // minimum value
    GetBits(32);  // delta
    int valueBits = int(GetBits(4)) + 1;
    GetBits(1);   // sequence flag
    uint64_t values = lookupType == 1 ? Lookup1Values(entries, dimensions) : uint64_t(entries) * dimensions;
    if (values == 0) return false;
    for (uint64_t j = 0; j < values && !OutOfBits(); ++j) GetBits(valueBits);
    return true;
  }

  // The largest r with r^dimensions <= entries: the values per dimension of a lattice codebook (none for
  // an empty one, which the decoder refuses).
  static uint64_t Lookup1Values(uint32_t entries, uint32_t dimensions) {
    if (entries == 0 || dimensions == 0) return 0;
    if (dimensions == 1) return entries;
    uint64_t r = 0;
    while (PowAtMost(r + 1, dimensions, entries)) ++r;
    return r;
  }

  static bool PowAtMost(uint64_t base, uint32_t exponent, uint64_t limit) {
    uint64_t p = 1;
    for (uint32_t i = 0; i < exponent; ++i) {
      p *= base;
      if (p > limit) return false;
    }
    return true;
  }

  FILE* f_;
  unsigned char seg_[255] = {};
  int segCount_ = 0, nextSeg_ = -1, bytesInSeg_ = 0;
  bool lastSeg_ = false;
  uint32_t acc_ = 0;
  int validBits_ = 0;  // -1 once the packet has run out
};

}  // namespace

bool VorbisHeadersSane(FILE* f) { return HeaderReplay(f).Sane(); }
