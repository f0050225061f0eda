#include "static_image.h"

StaticImage_CL::~StaticImage_CL() {}
