#include "bsptwomap/Bsp.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace btm {
namespace {

enum Lump {
    kEntities,
    kPlanes,
    kTextures,
    kVertices,
    kVisibility,
    kNodes,
    kTexInfo,
    kFaces,
    kLighting,
    kClipNodes,
    kLeaves,
    kMarkSurfaces,
    kEdges,
    kSurfEdges,
    kModels,
    kLumpCount
};

constexpr const char* kLumpNames[kLumpCount] = {"entities", "planes", "textures", "vertices", "visibility", "nodes",
    "texinfo", "faces", "lighting", "clipnodes", "leaves", "marksurfaces", "edges", "surfedges", "models"};

// Coordinates beyond this are not geometry any compile tool produces.
constexpr double kMaxCoordinate = 1e6;
constexpr size_t kHeaderSize = 4 + 8 * kLumpCount;

[[noreturn]] void fail(const std::string& message) { throw BspError(message); }

class Reader {
public:
    explicit Reader(std::span<const uint8_t> data) : data_(data) {}

    std::span<const uint8_t> lump(int index) const { return lumps_[index]; }

    void readHeader()
    {
        if (data_.size() < kHeaderSize)
            fail("file too short for a BSP header (" + std::to_string(data_.size()) + " bytes)");
        if (data_.size() > kMaxBspSize)
            fail("file too large (" + std::to_string(data_.size()) + " bytes)");
        const int32_t version = i32(data_, 0);
        if (version != kBspVersion)
            fail("unsupported BSP version " + std::to_string(version) + " (only version 30 is supported)");
        for (int i = 0; i < kLumpCount; ++i) {
            const int64_t offset = i32(data_, 4 + 8 * i);
            const int64_t length = i32(data_, 8 + 8 * i);
            if (offset < 0 || length < 0 || offset + length > static_cast<int64_t>(data_.size()))
                fail(std::string("lump '") + kLumpNames[i] + "' lies outside the file (offset " +
                    std::to_string(offset) + ", length " + std::to_string(length) + ")");
            lumps_[i] = data_.subspan(static_cast<size_t>(offset), static_cast<size_t>(length));
        }
    }

    size_t count(int index, size_t elementSize) const
    {
        const size_t size = lumps_[index].size();
        if (size % elementSize != 0)
            fail(std::string("lump '") + kLumpNames[index] + "' has a size (" + std::to_string(size) +
                ") that is not a multiple of its record size " + std::to_string(elementSize));
        return size / elementSize;
    }

    static int32_t i32(std::span<const uint8_t> d, size_t at) { return static_cast<int32_t>(u32(d, at)); }
    static uint32_t u32(std::span<const uint8_t> d, size_t at)
    {
        return static_cast<uint32_t>(d[at]) | static_cast<uint32_t>(d[at + 1]) << 8 |
            static_cast<uint32_t>(d[at + 2]) << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
    }
    static int16_t i16(std::span<const uint8_t> d, size_t at) { return static_cast<int16_t>(u16(d, at)); }
    static uint16_t u16(std::span<const uint8_t> d, size_t at) { return static_cast<uint16_t>(d[at] | d[at + 1] << 8); }
    static double f32(std::span<const uint8_t> d, size_t at)
    {
        const uint32_t bits = u32(d, at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    std::span<const uint8_t> data_;
    std::array<std::span<const uint8_t>, kLumpCount> lumps_{};
};

double finiteCoordinate(std::span<const uint8_t> d, size_t at, const char* what, size_t index)
{
    const double v = Reader::f32(d, at);
    if (!std::isfinite(v) || std::fabs(v) > kMaxCoordinate)
        fail(std::string(what) + " " + std::to_string(index) + " has an invalid number");
    return v;
}

Vec3 readVec(std::span<const uint8_t> d, size_t at, const char* what, size_t index)
{
    return {finiteCoordinate(d, at, what, index), finiteCoordinate(d, at + 4, what, index),
        finiteCoordinate(d, at + 8, what, index)};
}

void readPlanes(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kPlanes);
    const size_t n = r.count(kPlanes, 20);
    bsp.planes.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspPlane& p = bsp.planes[i];
        p.normal = readVec(lump, i * 20, "plane", i);
        p.dist = finiteCoordinate(lump, i * 20 + 12, "plane", i);
        const double len = length(p.normal);
        if (len < 0.99 || len > 1.01)
            fail("plane " + std::to_string(i) + " has a normal that is not of unit length");
    }
}

void readMipTextures(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kTextures);
    if (lump.empty())
        return;
    if (lump.size() < 4)
        fail("texture lump too short for its count");
    const int32_t count = Reader::i32(lump, 0);
    if (count < 0 || 4 + 4 * static_cast<int64_t>(count) > static_cast<int64_t>(lump.size()))
        fail("texture lump claims " + std::to_string(count) + " textures, more than it can hold");
    std::vector<int64_t> offsets(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        offsets[static_cast<size_t>(i)] = Reader::i32(lump, 4 + 4 * static_cast<size_t>(i));
    bsp.mipTextures.resize(static_cast<size_t>(count));
    for (size_t i = 0; i < offsets.size(); ++i) {
        const int64_t offset = offsets[i];
        if (offset == -1)
            continue;
        if (offset < 0 || offset + 40 > static_cast<int64_t>(lump.size()))
            fail("texture " + std::to_string(i) + " lies outside the texture lump");
        const auto tex = lump.subspan(static_cast<size_t>(offset));
        BspMipTex& mt = bsp.mipTextures[i];
        size_t nameLength = 0;
        while (nameLength < 16 && tex[nameLength] != 0)
            ++nameLength;
        if (nameLength == 16)
            fail("texture " + std::to_string(i) + " has an unterminated name");
        mt.name.assign(reinterpret_cast<const char*>(tex.data()), nameLength);
        for (char c : mt.name)
            if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == ' ')
                fail("texture " + std::to_string(i) + " has an invalid character in its name");
        mt.width = Reader::u32(tex, 16);
        mt.height = Reader::u32(tex, 20);
        if (mt.width == 0 || mt.height == 0 || mt.width > 4096 || mt.height > 4096 || mt.width % 8 != 0 ||
            mt.height % 8 != 0)
            fail("texture '" + mt.name + "' has invalid dimensions " + std::to_string(mt.width) + "x" +
                std::to_string(mt.height));
        if (Reader::u32(tex, 24) == 0)
            continue; // pixels live in an external WAD
        // The stored extent is the four mip levels, the palette count and the palette.
        uint64_t end = 40;
        for (int m = 0; m < 4; ++m) {
            const uint64_t mipOffset = Reader::u32(tex, 24 + 4 * static_cast<size_t>(m));
            const uint64_t mipSize = static_cast<uint64_t>(mt.width >> m) * (mt.height >> m);
            if (mipOffset < 40 || mipOffset + mipSize > tex.size())
                fail("mip level " + std::to_string(m) + " of texture '" + mt.name + "' lies outside the lump");
            end = std::max(end, mipOffset + mipSize);
        }
        if (end + 2 > tex.size())
            fail("texture '" + mt.name + "' has no palette");
        const uint64_t colours = Reader::u16(tex, static_cast<size_t>(end));
        end += 2 + 3 * colours;
        if (colours > 256 || end > tex.size())
            fail("texture '" + mt.name + "' has an invalid palette");
        uint64_t available = tex.size();
        for (int64_t other : offsets)
            if (other > offset && static_cast<uint64_t>(other - offset) < available)
                available = static_cast<uint64_t>(other - offset);
        const uint64_t padded = std::min<uint64_t>((end + 3) & ~uint64_t{3}, std::max(available, end));
        mt.stored.assign(tex.begin(), tex.begin() + static_cast<ptrdiff_t>(padded));
    }
}

void readNodes(const Reader& r, Bsp& bsp, size_t leafCount)
{
    const auto lump = r.lump(kNodes);
    const size_t n = r.count(kNodes, 24);
    bsp.nodes.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspNode& node = bsp.nodes[i];
        node.plane = Reader::u32(lump, i * 24);
        if (node.plane >= bsp.planes.size())
            fail("node " + std::to_string(i) + " refers to missing plane " + std::to_string(node.plane));
        for (int c = 0; c < 2; ++c) {
            const int32_t child = Reader::i16(lump, i * 24 + 4 + 2 * static_cast<size_t>(c));
            const bool valid =
                child >= 0 ? static_cast<size_t>(child) < n : static_cast<size_t>(-(child + 1)) < leafCount;
            if (!valid)
                fail("node " + std::to_string(i) + " has an invalid child " + std::to_string(child));
            node.children[static_cast<size_t>(c)] = child;
        }
    }
}

void readLeaves(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kLeaves);
    const size_t n = r.count(kLeaves, 28);
    bsp.leaves.resize(n);
    const auto marks = r.lump(kMarkSurfaces);
    const size_t markCount = r.count(kMarkSurfaces, 2);
    bsp.markSurfaces.resize(markCount);
    for (size_t i = 0; i < markCount; ++i) {
        bsp.markSurfaces[i] = Reader::u16(marks, i * 2);
        if (bsp.markSurfaces[i] >= bsp.faces.size())
            fail("marksurface " + std::to_string(i) + " refers to missing face");
    }
    for (size_t i = 0; i < n; ++i) {
        BspLeaf& leaf = bsp.leaves[i];
        leaf.contents = Reader::i32(lump, i * 28);
        if (leaf.contents > kEmpty || leaf.contents < kTranslucent)
            fail("leaf " + std::to_string(i) + " has unknown contents " + std::to_string(leaf.contents));
        leaf.firstMarkSurface = Reader::u16(lump, i * 28 + 20);
        leaf.markSurfaceCount = Reader::u16(lump, i * 28 + 22);
        if (leaf.firstMarkSurface + leaf.markSurfaceCount > markCount)
            fail("leaf " + std::to_string(i) + " refers to marksurfaces beyond the lump");
    }
}

void readTexInfo(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kTexInfo);
    const size_t n = r.count(kTexInfo, 40);
    bsp.texInfos.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspTexInfo& ti = bsp.texInfos[i];
        for (size_t a = 0; a < 2; ++a) {
            ti.axis[a] = readVec(lump, i * 40 + a * 16, "texinfo", i);
            ti.offset[a] = finiteCoordinate(lump, i * 40 + a * 16 + 12, "texinfo", i);
            if (length(ti.axis[a]) < 1e-6)
                fail("texinfo " + std::to_string(i) + " has a zero texture axis");
        }
        ti.mipTex = Reader::u32(lump, i * 40 + 32);
        ti.flags = Reader::i32(lump, i * 40 + 36);
        if (ti.mipTex >= bsp.mipTextures.size())
            fail("texinfo " + std::to_string(i) + " refers to missing texture " + std::to_string(ti.mipTex));
    }
}

void readFaces(const Reader& r, Bsp& bsp)
{
    const auto vertLump = r.lump(kVertices);
    const size_t vertCount = r.count(kVertices, 12);
    std::vector<Vec3> vertices(vertCount);
    for (size_t i = 0; i < vertCount; ++i)
        vertices[i] = readVec(vertLump, i * 12, "vertex", i);
    const auto edgeLump = r.lump(kEdges);
    const size_t edgeCount = r.count(kEdges, 4);
    const auto surfLump = r.lump(kSurfEdges);
    const size_t surfCount = r.count(kSurfEdges, 4);

    const auto lump = r.lump(kFaces);
    const size_t n = r.count(kFaces, 20);
    bsp.faces.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspFace& face = bsp.faces[i];
        const size_t at = i * 20;
        face.plane = Reader::u16(lump, at);
        face.flipped = Reader::i16(lump, at + 2) != 0;
        const int64_t firstEdge = Reader::i32(lump, at + 4);
        const int64_t numEdges = Reader::i16(lump, at + 8);
        const int32_t texInfo = Reader::i16(lump, at + 10);
        const std::string which = "face " + std::to_string(i);
        if (face.plane >= bsp.planes.size())
            fail(which + " refers to missing plane " + std::to_string(face.plane));
        if (texInfo < 0 || static_cast<size_t>(texInfo) >= bsp.texInfos.size())
            fail(which + " refers to missing texinfo " + std::to_string(texInfo));
        face.texInfo = static_cast<uint32_t>(texInfo);
        if (numEdges < 3 || firstEdge < 0 || firstEdge + numEdges > static_cast<int64_t>(surfCount))
            fail(which + " has an invalid edge range");
        face.winding.reserve(static_cast<size_t>(numEdges));
        for (int64_t e = 0; e < numEdges; ++e) {
            const int64_t surf = Reader::i32(surfLump, static_cast<size_t>(firstEdge + e) * 4);
            const uint64_t edge = static_cast<uint64_t>(surf < 0 ? -surf : surf);
            if (edge >= edgeCount)
                fail(which + " refers to missing edge " + std::to_string(surf));
            const size_t vertex = Reader::u16(edgeLump, edge * 4 + (surf < 0 ? 2 : 0));
            if (vertex >= vertCount)
                fail(which + " refers to missing vertex " + std::to_string(vertex));
            face.winding.push_back(vertices[vertex]);
        }
    }
}

bool validClipChild(int32_t child, size_t count)
{
    return child >= 0 ? static_cast<size_t>(child) < count : child >= kTranslucent;
}

void readClipNodes(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kClipNodes);
    const size_t n = r.count(kClipNodes, 8);
    bsp.clipNodes.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspClipNode& node = bsp.clipNodes[i];
        node.plane = Reader::u32(lump, i * 8);
        if (node.plane >= bsp.planes.size())
            fail("clip node " + std::to_string(i) + " refers to missing plane " + std::to_string(node.plane));
        for (size_t c = 0; c < 2; ++c) {
            node.children[c] = Reader::i16(lump, i * 8 + 4 + 2 * c);
            if (!validClipChild(node.children[c], n))
                fail("clip node " + std::to_string(i) + " has an invalid child " + std::to_string(node.children[c]));
        }
    }
}

void readModels(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kModels);
    const size_t n = r.count(kModels, 64);
    if (n == 0)
        fail("the file has no models, not even the world");
    bsp.models.resize(n);
    for (size_t i = 0; i < n; ++i) {
        BspModel& m = bsp.models[i];
        const size_t at = i * 64;
        m.mins = readVec(lump, at, "model", i);
        m.maxs = readVec(lump, at + 12, "model", i);
        m.origin = readVec(lump, at + 24, "model", i);
        m.headNode = Reader::i32(lump, at + 36);
        const int64_t firstFace = Reader::i32(lump, at + 56);
        const int64_t faceCount = Reader::i32(lump, at + 60);
        const std::string which = "model " + std::to_string(i);
        if (m.mins.x > m.maxs.x || m.mins.y > m.maxs.y || m.mins.z > m.maxs.z)
            fail(which + " has inverted bounds");
        const bool headValid = m.headNode >= 0
            ? static_cast<size_t>(m.headNode) < bsp.nodes.size()
            : static_cast<size_t>(-(static_cast<int64_t>(m.headNode) + 1)) < bsp.leaves.size();
        if (!headValid)
            fail(which + " has an invalid head node " + std::to_string(m.headNode));
        // Without clip nodes (hand-made files) the clip hulls are taken as empty.
        for (size_t h = 0; h < 3 && !bsp.clipNodes.empty(); ++h) {
            m.clipHeads[h] = Reader::i32(lump, at + 40 + 4 * h);
            if (!validClipChild(m.clipHeads[h], bsp.clipNodes.size()))
                fail(which + " has an invalid head node " + std::to_string(m.clipHeads[h]) + " for hull " +
                    std::to_string(h + 1));
        }
        if (firstFace < 0 || faceCount < 0 || firstFace + faceCount > static_cast<int64_t>(bsp.faces.size()))
            fail(which + " refers to faces beyond the lump");
        m.firstFace = static_cast<uint32_t>(firstFace);
        m.faceCount = static_cast<uint32_t>(faceCount);
    }
}

void readEntities(const Reader& r, Bsp& bsp)
{
    const auto lump = r.lump(kEntities);
    size_t length = 0;
    while (length < lump.size() && lump[length] != 0)
        ++length;
    bsp.entities.assign(reinterpret_cast<const char*>(lump.data()), length);
}

} // namespace

Bsp readBsp(std::span<const uint8_t> data)
{
    Reader r(data);
    r.readHeader();
    Bsp bsp;
    readEntities(r, bsp);
    readPlanes(r, bsp);
    readMipTextures(r, bsp);
    readTexInfo(r, bsp);
    readFaces(r, bsp);
    readLeaves(r, bsp);
    readNodes(r, bsp, bsp.leaves.size());
    readClipNodes(r, bsp);
    readModels(r, bsp);
    return bsp;
}

const std::string& faceTextureName(const Bsp& bsp, const BspFace& face)
{
    return bsp.mipTextures[bsp.texInfos[face.texInfo].mipTex].name;
}

} // namespace btm
