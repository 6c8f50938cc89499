#include "BspBuilder.h"

#include <cstring>

namespace btm::test {
namespace {

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void putFloat(std::vector<uint8_t>& out, double v)
{
    const float f = static_cast<float>(v);
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put32(out, bits);
}
void putVec(std::vector<uint8_t>& out, const Vec3& v)
{
    putFloat(out, v.x);
    putFloat(out, v.y);
    putFloat(out, v.z);
}

} // namespace

int BspBuilder::plane(Vec3 normal, double dist)
{
    putVec(planes_, normal);
    putFloat(planes_, dist);
    put32(planes_, 0);
    return planeCount_++;
}

int BspBuilder::node(int plane, int front, int back)
{
    put32(nodes_, static_cast<uint32_t>(plane));
    put16(nodes_, static_cast<uint16_t>(front));
    put16(nodes_, static_cast<uint16_t>(back));
    for (int i = 0; i < 6; ++i)
        put16(nodes_, 0);
    put16(nodes_, 0);
    put16(nodes_, 0);
    return nodeCount_++;
}

int BspBuilder::addLeaf(int32_t contents, std::vector<uint16_t> markSurfaces)
{
    put32(leaves_, static_cast<uint32_t>(contents));
    put32(leaves_, 0xffffffffu);
    for (int i = 0; i < 6; ++i)
        put16(leaves_, 0);
    put16(leaves_, static_cast<uint16_t>(markCount_));
    put16(leaves_, static_cast<uint16_t>(markSurfaces.size()));
    put32(leaves_, 0);
    for (uint16_t m : markSurfaces) {
        put16(marks_, m);
        ++markCount_;
    }
    return leafCount_++;
}

int BspBuilder::texture(const std::string& name, uint32_t size, bool embedded)
{
    std::vector<uint8_t> t(16, 0);
    std::memcpy(t.data(), name.data(), std::min<size_t>(name.size(), 15));
    put32(t, size);
    put32(t, size);
    uint32_t offset = 40;
    for (int m = 0; m < 4; ++m) {
        put32(t, embedded ? offset : 0);
        offset += (size >> m) * (size >> m);
    }
    if (embedded) {
        for (uint32_t i = 40; i < offset; ++i)
            t.push_back(static_cast<uint8_t>(i * 7 + name.size()));
        put16(t, 256);
        for (int i = 0; i < 768; ++i)
            t.push_back(static_cast<uint8_t>(i));
        t.push_back(0);
        t.push_back(0);
    }
    textures_.push_back(std::move(t));
    return static_cast<int>(textures_.size()) - 1;
}

int BspBuilder::texInfo(Vec3 s, double sOffset, Vec3 t, double tOffset, int texture)
{
    putVec(texInfo_, s);
    putFloat(texInfo_, sOffset);
    putVec(texInfo_, t);
    putFloat(texInfo_, tOffset);
    put32(texInfo_, static_cast<uint32_t>(texture));
    put32(texInfo_, 0);
    return texInfoCount_++;
}

int BspBuilder::face(int plane, bool flipped, int texInfo, const std::vector<Vec3>& points)
{
    put16(faces_, static_cast<uint16_t>(plane));
    put16(faces_, flipped ? 1 : 0);
    put32(faces_, static_cast<uint32_t>(surfEdgeCount_));
    put16(faces_, static_cast<uint16_t>(points.size()));
    put16(faces_, static_cast<uint16_t>(texInfo));
    put32(faces_, 0);
    put32(faces_, 0xffffffffu);
    const int first = vertexCount_;
    for (const Vec3& p : points) {
        putVec(vertices_, p);
        ++vertexCount_;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        put16(edges_, static_cast<uint16_t>(first + static_cast<int>(i)));
        put16(edges_, static_cast<uint16_t>(first + static_cast<int>((i + 1) % points.size())));
        put32(surfEdges_, static_cast<uint32_t>(edgeCount_++));
        ++surfEdgeCount_;
    }
    return faceCount_++;
}

int BspBuilder::clipNode(int plane, int front, int back)
{
    put32(clipNodes_, static_cast<uint32_t>(plane));
    put16(clipNodes_, static_cast<uint16_t>(front));
    put16(clipNodes_, static_cast<uint16_t>(back));
    return clipNodeCount_++;
}

void BspBuilder::model(Vec3 mins, Vec3 maxs, int headNode, int firstFace, int faceCount, int clipHead)
{
    putVec(models_, mins);
    putVec(models_, maxs);
    putVec(models_, {});
    put32(models_, static_cast<uint32_t>(headNode));
    for (int i = 0; i < 3; ++i)
        put32(models_, static_cast<uint32_t>(clipHead));
    put32(models_, 0);
    put32(models_, static_cast<uint32_t>(firstFace));
    put32(models_, static_cast<uint32_t>(faceCount));
}

std::vector<uint8_t> BspBuilder::build() const
{
    std::vector<uint8_t> textureLump;
    put32(textureLump, static_cast<uint32_t>(textures_.size()));
    uint32_t offset = 4 + 4 * static_cast<uint32_t>(textures_.size());
    for (const auto& t : textures_) {
        put32(textureLump, offset);
        offset += static_cast<uint32_t>(t.size());
    }
    for (const auto& t : textures_)
        textureLump.insert(textureLump.end(), t.begin(), t.end());
    std::vector<uint8_t> entityLump(entities.begin(), entities.end());
    entityLump.push_back(0);
    const std::vector<uint8_t> empty;
    const std::vector<uint8_t>* lumps[15] = {&entityLump, &planes_, &textureLump, &vertices_, &empty, &nodes_,
        &texInfo_, &faces_, &empty, &clipNodes_, &leaves_, &marks_, &edges_, &surfEdges_, &models_};
    std::vector<uint8_t> out;
    put32(out, static_cast<uint32_t>(version));
    uint32_t at = 4 + 15 * 8;
    for (const auto* lump : lumps) {
        put32(out, at);
        put32(out, static_cast<uint32_t>(lump->size()));
        at += static_cast<uint32_t>((lump->size() + 3) & ~size_t{3});
    }
    for (const auto* lump : lumps) {
        out.insert(out.end(), lump->begin(), lump->end());
        out.resize((out.size() + 3) & ~size_t{3}, 0);
    }
    return out;
}

} // namespace btm::test
