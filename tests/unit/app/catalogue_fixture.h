#pragma once
// The screen catalogue loaded once from this test program's embedded pictures.

#include <gtest/gtest.h>

#include "app/screen_catalogue.h"
#include "platform/jpeg.h"
#include "platform/resources.h"

namespace vxr::app::test {

inline const ScreenCatalogue& loadedCatalogue() {
    static const ScreenCatalogue catalogue = [] {
        ScreenCatalogue c;
        platform::JpegDecoder decoder;
        LoadScreenCatalogue(c, platform::ResourceTable::embedded(), decoder);
        return c;
    }();
    return catalogue;
}

}  // namespace vxr::app::test
