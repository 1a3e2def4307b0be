// Median time to load the whole screen catalogue from the embedded pictures,
// as the trainer does once at start-up: every JPEG decoded with one shared
// decoder, every bitmap read from its DIB.
//
//   vxr_catalogue_bench [rounds]

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/screen_catalogue.h"
#include "median_time.h"
#include "platform/jpeg.h"
#include "platform/resources.h"

namespace {

constexpr double kBudgetMilliseconds = 40;

void loadOnce(const vxr::platform::ResourceTable& resources, std::size_t& pictures) {
    vxr::app::ScreenCatalogue catalogue;
    vxr::platform::JpegDecoder decoder;
    vxr::app::LoadScreenCatalogue(catalogue, resources, decoder);
    pictures = catalogue.loaded.size();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    const vxr::platform::ResourceTable resources = vxr::platform::ResourceTable::embedded();
    std::size_t pictures = 0;
    // The first load pages the embedded data in, as the trainer's start does.
    const double first = vxr::bench::medianMicroseconds(1, [&] { loadOnce(resources, pictures); });
    const double median = vxr::bench::medianMicroseconds(rounds, [&] { loadOnce(resources, pictures); });
    std::printf("screen catalogue (%zu pictures): %.1f ms median of %d loads, first load %.1f ms (budget %.0f ms)\n",
                pictures, median / 1000, rounds, first / 1000, kBudgetMilliseconds);
    return 0;
}
