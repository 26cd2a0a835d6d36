// Writes the application icon: the idle chip at the sizes the shell asks an exe for.
// Built and run on the build machine; the resource script embeds what it writes.
#include <cstdio>
#include <fstream>
#include <vector>

#include "IconFile.h"
#include "tray/ChipPicture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTPUT.ico\n");
    return 2;
  }
  std::vector<TArgbImage> images;
  for (const int size : {16, 20, 24, 32, 48, 256}) images.push_back(DrawChipPicture(TChipPicture::Idle, size));
  const std::string icon = EncodeIconFile(images);
  if (icon.empty()) {
    std::fprintf(stderr, "icongen: the pictures could not be encoded\n");
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(icon.data(), static_cast<std::streamsize>(icon.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
    std::remove(argv[1]);  // a partial file must not pass for the icon on the next build
    return 1;
  }
  return 0;
}
