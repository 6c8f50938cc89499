#pragma once

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Entities.h"
#include "bsptwomap/Rebuild.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace btm {

struct MapStats {
    size_t entities = 0;
    size_t brushes = 0;
    size_t originBrushes = 0;
    std::set<std::string> textures; // every texture name written
    std::vector<std::string> warnings;
};

// Valve 220 map text: entities in order, each brush entity with its brushes in place of "model".
// `models[i]` holds the brushes of model i in model space.
// Called once every brush is written, with the first entity's keys (to change) and every texture name written.
using FinishFirstEntity = std::function<void(Entity& first, const std::set<std::string>& textures)>;

std::string writeMap(const Bsp& bsp, const PlaneTable& planes, const std::vector<Entity>& entities,
    const std::vector<ModelBrushes>& models, MapStats& stats, const FinishFirstEntity& finishFirst = {});

// A WAD3 holding every miptex whose pixels the file embeds, byte for byte as stored.
// The embedded miptextures byte for byte, then a plain stand-in for each tool texture named.
std::vector<uint8_t> writeWad(const Bsp& bsp, const std::vector<std::string>& toolTextures = {});
size_t embeddedTextureCount(const Bsp& bsp);

// Shortest decimal text for a map coordinate: integers without a point, otherwise up to six decimals.
std::string formatNumber(double value);

} // namespace btm
