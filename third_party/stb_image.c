/* The one translation unit that holds stb_image's implementation. Decoders we never need stay out;
   the image loader sets its own size limit per call. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>
