#include "PngResource.h"

#include "EmbeddedImages.h"

ResourceBytes FindPngResource(void*, int resourceId)
{
    const EmbeddedImage* image = FindEmbeddedImage(resourceId);
    if (!image) return {nullptr, 0};
    return {image->bytes, image->size};
}
