/* The one translation unit that holds stb_image's implementation, with the decoders that skins and
   store pictures use (PNG, JPEG, BMP, GIF) and no other: pictures come from the network and the
   program runs elevated, so no decoder we do not need may see their bytes.
   STBI_MAX_DIMENSIONS caps the decoded width and height (4096 x 4096 RGBA is 64 MB), so that no
   picture can make the decoder exhaust the 32-bit address space. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_MAX_DIMENSIONS 4096
#include <stb_image.h>
