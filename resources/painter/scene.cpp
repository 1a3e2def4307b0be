#include "scene.h"

#include <stdexcept>

namespace vxr::painter {

LabelLook titleLabel() { return {kTahoma, 7, true, pal(9), pal(2)}; }
LabelLook lineLabel() { return {kSans, 7, false, kBlack, pal(7)}; }

Scene::Scene(const PictureSet& pictures) : pictures_(pictures), window_(picture("F0")), canvas_(window_) {}

const Bitmap& Scene::picture(const std::string& name) const {
    const auto found = pictures_.find(name);
    if (found == pictures_.end()) throw std::runtime_error("a composite needs the missing picture " + name);
    return found->second;
}

void Scene::put(const std::string& name, layout::Offset at) { canvas_.draw(at.x, at.y, picture(name)); }

void Scene::put(const std::string& name, layout::Offset box, layout::Offset item) { put(name, box + item); }

void Scene::putTop(const std::string& name, layout::Offset at, int top, int height) {
    const Bitmap& whole = picture(name);
    canvas_.draw(at.x, at.y, crop(whole, 0, top, whole.width(), height));
}

void Scene::label(const std::string& words, layout::Offset at, const LabelLook& look) {
    canvas_.font() = {look.family, look.points, look.bold, look.color};
    canvas_.brush() = {look.background, platform::BrushStyle::Solid};
    canvas_.textOut(at.x, at.y, words);
}

void Scene::fill(const Rect& area, Color color) { window_.fill(area, color); }

}  // namespace vxr::painter
