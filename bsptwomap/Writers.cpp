#include "bsptwomap/Writers.h"

#include "bsptwomap/Textures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace btm {
namespace {

constexpr const char* kEol = "\r\n";
constexpr double kOriginBrushHalfSize = 8;
constexpr size_t kNoModel = static_cast<size_t>(-1);

void appendNumber(std::string& out, double value)
{
    if (std::fabs(value - std::round(value)) < 1e-9)
        value = std::round(value);
    char buffer[64];
    // Exactly the digits of printf's "%.6f", without its locale and format parsing.
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    const char* first = buffer;
    const char* last = error == std::errc() ? end : buffer;
    if (std::find(first, last, '.') != last) {
        while (last > buffer && last[-1] == '0')
            --last;
        if (last > buffer && last[-1] == '.')
            --last;
    }
    if (last - buffer == 2 && buffer[0] == '-' && buffer[1] == '0')
        out += '0';
    else
        out.append(first, last);
}

struct TextureAxes {
    std::string name;
    std::array<Vec3, 2> axis;
    std::array<double, 2> shift{};
    std::array<double, 2> scale{1, 1};
};

// The axial projection editors use for a plane's default texture axes.
std::array<Vec3, 2> defaultAxes(const Vec3& n)
{
    const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (az >= ax && az >= ay)
        return {Vec3{1, 0, 0}, Vec3{0, -1, 0}};
    if (ax >= ay)
        return {Vec3{0, 1, 0}, Vec3{0, 0, -1}};
    return {Vec3{1, 0, 0}, Vec3{0, 0, -1}};
}

void appendVec(std::string& out, const Vec3& v)
{
    appendNumber(out, v.x);
    out += ' ';
    appendNumber(out, v.y);
    out += ' ';
    appendNumber(out, v.z);
}

bool nearInteger(double v) { return std::fabs(v - std::round(v)) < 1e-3; }

// Three points of the face, ordered so that (p0 - p1) x (p2 - p1) points out of the brush.
std::array<Vec3, 3> planePoints(const Winding& w, const Plane& plane)
{
    size_t far = 1;
    for (size_t i = 1; i < w.size(); ++i)
        if (length(w[i] - w[0]) > length(w[far] - w[0]))
            far = i;
    size_t third = 0;
    double best = -1;
    for (size_t i = 0; i < w.size(); ++i) {
        const double a = length(cross(w[far] - w[0], w[i] - w[0]));
        if (a > best) {
            best = a;
            third = i;
        }
    }
    // The tools match a side to a plane they hold through its first point, so that one stays the winding's first.
    std::array<Vec3, 3> pts{w[0], w[far], w[third]};
    if (dot(cross(pts[0] - pts[1], pts[2] - pts[1]), plane.normal) < 0)
        std::swap(pts[1], pts[2]);

    // Whole numbers where they describe the very same plane.
    std::array<Vec3, 3> snapped = pts;
    bool allNear = true;
    for (Vec3& p : snapped) {
        allNear = allNear && nearInteger(p.x) && nearInteger(p.y) && nearInteger(p.z);
        p = {std::round(p.x), std::round(p.y), std::round(p.z)};
    }
    if (allNear) {
        Vec3 n = cross(snapped[0] - snapped[1], snapped[2] - snapped[1]);
        const double len = length(n);
        if (len > 0) {
            n = n * (1.0 / len);
            if (dot(n, plane.normal) > 1 - 1e-9 && std::fabs(dot(n, snapped[0]) - plane.dist) < 1e-4)
                return snapped;
        }
    }
    return pts;
}

class MapWriter {
public:
    MapWriter(const Bsp& bsp, const PlaneTable& planes) : bsp_(bsp), planes_(planes) {}

    void brush(const Brush& brush, const Vec3& origin)
    {
        std::vector<TextureAxes> textures;
        for (const BrushFace& face : brush.faces)
            textures.push_back(textureFor(face, brush, origin));
        std::vector<std::string_view> names;
        for (const TextureAxes& t : textures)
            names.push_back(t.name);
        // Sky sides with only NULL beside them would make the tools read a sky brush: one invisible side that
        // sets the contents keeps it solid.
        if (brush.contents == kSolid && brushContents(names) != kSolid)
            for (size_t i = 0; i < textures.size(); ++i)
                if (brush.faces[i].texInfo < 0 && textureContents(textures[i].name) == kNullContents) {
                    textures[i].name = "CONTENTSOLID";
                    break;
                }
        line("{");
        for (size_t i = 0; i < brush.faces.size(); ++i) {
            const BrushFace& face = brush.faces[i];
            const Plane& p = planes_[face.planeId];
            const Plane moved{p.normal, p.dist + dot(p.normal, origin)};
            Winding w = face.winding;
            for (Vec3& v : w)
                v = v + origin;
            face_(planePoints(w, moved), textures[i]);
        }
        line("}");
    }

    void originBrush(const Vec3& origin)
    {
        line("{");
        const double h = kOriginBrushHalfSize;
        for (int axis = 0; axis < 3; ++axis)
            for (int sign = -1; sign <= 1; sign += 2) {
                Vec3 n;
                (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = sign;
                const Plane plane{n, dot(n, origin) + h};
                Winding w = baseWinding(plane, 4 * h + 2 * length(origin));
                for (int other = 0; other < 3; ++other)
                    for (int s = -1; s <= 1; s += 2) {
                        if (other == axis)
                            continue;
                        Vec3 m;
                        (other == 0 ? m.x : other == 1 ? m.y : m.z) = s;
                        w = clipBack(w, {m, dot(m, origin) + h});
                    }
                TextureAxes tex{"ORIGIN", defaultAxes(n)};
                face_(planePoints(w, plane), tex);
            }
        line("}");
    }

    void keyValue(const std::string& key, const std::string& value)
    {
        out_.append(1, '"').append(key).append("\" \"").append(value).append(1, '"').append(kEol);
    }
    void line(const char* text) { out_.append(text).append(kEol); }
    // The text written since the last call.
    std::string take()
    {
        std::string text;
        text.swap(out_);
        return text;
    }
    const std::set<std::string>& textures() const { return textures_; }

private:
    TextureAxes textureFor(const BrushFace& face, const Brush& brush, const Vec3& origin) const
    {
        TextureAxes tex;
        if (face.texInfo < 0) {
            tex.name = brush.fillTexture;
            tex.axis = defaultAxes(planes_[face.planeId].normal);
            return tex;
        }
        const BspTexInfo& ti = bsp_.texInfos[static_cast<size_t>(face.texInfo)];
        tex.name = bsp_.mipTextures[ti.mipTex].name;
        if (tex.name.empty())
            tex.name = brush.fillTexture;
        for (size_t i = 0; i < 2; ++i) {
            const double len = length(ti.axis[i]);
            tex.axis[i] = ti.axis[i] * (1.0 / len);
            tex.scale[i] = 1.0 / len;
            // The file maps model-space points; the map holds them moved by the origin.
            tex.shift[i] = ti.offset[i] - dot(ti.axis[i], origin);
        }
        return tex;
    }

    void face_(const std::array<Vec3, 3>& pts, const TextureAxes& tex)
    {
        textures_.insert(tex.name);
        for (size_t i = 0; i < 3; ++i) {
            out_ += "( ";
            appendVec(out_, pts[i]);
            out_ += " ) ";
        }
        out_ += tex.name;
        for (size_t i = 0; i < 2; ++i) {
            out_ += " [ ";
            appendVec(out_, tex.axis[i]);
            out_ += ' ';
            appendNumber(out_, tex.shift[i]);
            out_ += " ]";
        }
        out_ += " 0 ";
        appendNumber(out_, tex.scale[0]);
        out_ += ' ';
        appendNumber(out_, tex.scale[1]);
        out_ += kEol;
    }

    const Bsp& bsp_;
    const PlaneTable& planes_;
    std::string out_;
    std::set<std::string> textures_;
};

bool parseOrigin(const std::string& text, Vec3& origin)
{
    double v[3];
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    if (!(in >> v[0] >> v[1] >> v[2]) || !std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]))
        return false;
    origin = {v[0], v[1], v[2]};
    return true;
}

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

std::string formatNumber(double value)
{
    std::string s;
    appendNumber(s, value);
    return s;
}

std::string writeMap(const Bsp& bsp, const PlaneTable& planes, const std::vector<Entity>& entities,
    const std::vector<ModelBrushes>& models, MapStats& stats, const FinishFirstEntity& finishFirst)
{
    MapWriter writer(bsp, planes);
    std::vector<bool> used(models.size(), false);
    // The first entity's keys are written last, once every texture name is known; its brushes come after them.
    Entity first = entities.empty() ? Entity{} : entities[0];
    std::string firstBrushes;
    bool firstHasBrushes = false;
    for (size_t e = 0; e < entities.size(); ++e) {
        const Entity& entity = entities[e];
        const std::string* classname = entity.find("classname");
        const bool world = e == 0 && classname && *classname == "worldspawn";
        size_t model = world ? 0 : brushModelIndex(entity).value_or(kNoModel);
        if (model != kNoModel && model >= models.size()) {
            stats.warnings.push_back(
                "entity " + std::to_string(e) + " refers to missing model *" + std::to_string(model) + "; key kept");
            model = kNoModel;
        }
        if (model != kNoModel && model != 0 && used[model])
            stats.warnings.push_back("model *" + std::to_string(model) + " is used by more than one entity");
        Vec3 origin;
        const std::string* originText = entity.find("origin");
        const bool brushEntity = model != kNoModel && !world;
        const bool hasOrigin = brushEntity && originText && parseOrigin(*originText, origin);
        if (brushEntity && originText && !hasOrigin)
            stats.warnings.push_back(
                "entity " + std::to_string(e) + " has an unreadable origin \"" + *originText + "\"");
        // Compile tools set "origin" from the ORIGIN brush and refuse an entity that has both.
        const bool originBrush = hasOrigin && !models[model].brushes.empty();
        if (e == 0) {
            if (brushEntity)
                first.erase("model");
            if (originBrush)
                first.erase("origin");
        } else {
            writer.line("{");
            for (const auto& [key, value] : entity.keys)
                if (!(brushEntity && key == "model") && !(originBrush && key == "origin"))
                    writer.keyValue(key, value);
        }
        if (model != kNoModel) {
            used[model] = true;
            for (const Brush& brush : models[model].brushes) {
                writer.brush(brush, origin);
                ++stats.brushes;
            }
            if (originBrush) {
                writer.originBrush(origin);
                ++stats.originBrushes;
            }
        }
        if (e == 0) {
            firstBrushes = writer.take();
            firstHasBrushes = true;
        } else {
            writer.line("}");
        }
        ++stats.entities;
    }
    for (size_t m = 1; m < models.size(); ++m)
        if (!used[m])
            stats.warnings.push_back("model *" + std::to_string(m) + " belongs to no entity and was left out");
    stats.textures = writer.textures();
    const std::string rest = writer.take();
    if (!firstHasBrushes)
        return rest;
    if (finishFirst)
        finishFirst(first, stats.textures);
    writer.line("{");
    for (const auto& [key, value] : first.keys)
        writer.keyValue(key, value);
    std::string text = writer.take();
    text.reserve(text.size() + firstBrushes.size() + rest.size() + 3);
    return text.append(firstBrushes).append("}").append(kEol).append(rest);
}

size_t embeddedTextureCount(const Bsp& bsp)
{
    size_t count = 0;
    for (const BspMipTex& mt : bsp.mipTextures)
        if (!mt.stored.empty())
            ++count;
    return count;
}

namespace {
// A plain 16 by 16 miptex with its four mip levels and a grey palette: enough for the compile tools to resolve
// the name; tool textures never reach the compiled map's surfaces.
std::vector<uint8_t> toolMipTex(const std::string& name)
{
    constexpr uint32_t kSize = 16;
    std::vector<uint8_t> out(16, 0);
    std::memcpy(out.data(), name.data(), std::min<size_t>(name.size(), 15));
    putU32(out, kSize);
    putU32(out, kSize);
    uint32_t offset = 40;
    for (uint32_t level = 0; level < 4; ++level) {
        putU32(out, offset);
        offset += (kSize >> level) * (kSize >> level);
    }
    for (uint32_t level = 0; level < 4; ++level)
        for (uint32_t i = 0; i < (kSize >> level) * (kSize >> level); ++i)
            out.push_back(static_cast<uint8_t>(((i / (kSize >> level)) + i) % 2));
    out.push_back(0); // 256 palette entries
    out.push_back(1);
    for (int i = 0; i < 256; ++i)
        out.insert(out.end(), 3, static_cast<uint8_t>(i == 0 ? 96 : 160));
    out.insert(out.end(), 2, 0); // padding to a multiple of four
    return out;
}
} // namespace

std::vector<uint8_t> writeWad(const Bsp& bsp, const std::vector<std::string>& toolTextures)
{
    std::vector<std::pair<std::string, std::vector<uint8_t>>> generated;
    for (const std::string& name : toolTextures)
        generated.emplace_back(name, toolMipTex(name));
    std::vector<uint8_t> out{'W', 'A', 'D', '3'};
    putU32(out, static_cast<uint32_t>(embeddedTextureCount(bsp) + generated.size()));
    putU32(out, 0); // directory offset, filled in below
    struct Entry {
        uint32_t offset, size;
        const std::string* name;
    };
    std::vector<Entry> entries;
    const auto add = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        entries.push_back({static_cast<uint32_t>(out.size()), static_cast<uint32_t>(bytes.size()), &name});
        out.insert(out.end(), bytes.begin(), bytes.end());
    };
    for (const BspMipTex& mt : bsp.mipTextures)
        if (!mt.stored.empty())
            add(mt.name, mt.stored);
    for (const auto& [name, bytes] : generated)
        add(name, bytes);
    const uint32_t directory = static_cast<uint32_t>(out.size());
    for (int i = 0; i < 4; ++i)
        out[8 + static_cast<size_t>(i)] = static_cast<uint8_t>(directory >> (8 * i));
    for (const Entry& entry : entries) {
        putU32(out, entry.offset);
        putU32(out, entry.size); // size on disk
        putU32(out, entry.size); // uncompressed size
        out.push_back(0x43); // miptex
        out.push_back(0); // not compressed
        out.push_back(0);
        out.push_back(0);
        char name[16] = {};
        std::memcpy(name, entry.name->data(), std::min<size_t>(entry.name->size(), 15));
        out.insert(out.end(), name, name + 16);
    }
    return out;
}

} // namespace btm
