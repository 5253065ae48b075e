/* The one translation unit that holds stb_image's implementation. Decoders we never need stay out.
   STBI_MAX_DIMENSIONS caps the decoded width and height, so that no picture (they come from the
   network) can make the decoder exhaust the 32-bit address space. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>
