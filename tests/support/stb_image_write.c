/* stb_image_write's implementation, for writing failure images from tests. */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
