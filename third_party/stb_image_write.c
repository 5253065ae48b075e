/* stb_image_write's implementation: the skin previewer's pictures and the tests' failure images. */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
