// Ogg Vorbis encoding through libvorbisenc (see ogg.h).
#include "ogg.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

#include "sheet.h"

namespace datagen {
namespace {

constexpr int kSerial = 0x56585452;  // any fixed value; a random one would change the file each run

void Append(std::vector<unsigned char>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

bool WriteOggVorbis(const std::string& path, const std::vector<float>& left, const std::vector<float>& right,
                    int rate, float quality, const std::string& title) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, rate, quality) != 0) {
    vorbis_info_clear(&vi);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, kSerial);

  std::vector<unsigned char> out;
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) Append(out, page);  // audio starts on a fresh page

  const size_t total = std::min(left.size(), right.size());
  size_t pos = 0;
  bool done = false;
  while (!done) {
    const size_t n = std::min<size_t>(1024, total - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);  // end of stream: the last page carries the exact length
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      std::copy(left.begin() + pos, left.begin() + pos + n, buf[0]);
      std::copy(right.begin() + pos, right.begin() + pos + n, buf[1]);
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          Append(out, page);
          if (ogg_page_eos(&page)) done = true;
        }
      }
    }
    if (n == 0 && !done) {
      while (ogg_stream_flush(&os, &page) != 0) Append(out, page);
      done = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);

  if (!MakeParentDirs(path)) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace datagen
