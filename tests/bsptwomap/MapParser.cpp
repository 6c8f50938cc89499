#include "MapParser.h"

#include "bsptwomap/Rebuild.h"

#include <cctype>
#include <stdexcept>

namespace btm::test {
namespace {

class Tokens {
public:
    explicit Tokens(const std::string& text) : text_(text) {}

    bool next(std::string& token)
    {
        for (;;) {
            while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            if (text_.compare(pos_, 2, "//") != 0)
                break;
            pos_ = text_.find('\n', pos_);
        }
        if (pos_ >= text_.size())
            return false;
        if (text_[pos_] == '"') {
            const size_t end = text_.find('"', pos_ + 1);
            if (end == std::string::npos)
                throw std::runtime_error("unterminated string");
            token = text_.substr(pos_, end + 1 - pos_);
            pos_ = end + 1;
            return true;
        }
        const size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        token = text_.substr(start, pos_ - start);
        return true;
    }

    std::string take()
    {
        std::string t;
        if (!next(t))
            throw std::runtime_error("unexpected end of map");
        return t;
    }
    double number() { return std::stod(take()); }
    void expect(const char* what)
    {
        if (take() != what)
            throw std::runtime_error(std::string("expected ") + what);
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

std::string unquote(const std::string& s)
{
    if (s.size() < 2 || s.front() != '"')
        throw std::runtime_error("expected a quoted string");
    return s.substr(1, s.size() - 2);
}

MapBrush parseBrush(Tokens& tokens)
{
    MapBrush brush;
    for (;;) {
        std::string t = tokens.take();
        if (t == "}")
            break;
        if (t != "(")
            throw std::runtime_error("expected a face");
        Vec3 p[3];
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                tokens.expect("(");
            p[i].x = tokens.number();
            p[i].y = tokens.number();
            p[i].z = tokens.number();
            tokens.expect(")");
        }
        MapFace face;
        Vec3 n = cross(p[0] - p[1], p[2] - p[1]);
        if (length(n) == 0)
            throw std::runtime_error("face with collinear points");
        n = n * (1.0 / length(n));
        face.plane = {n, dot(n, p[0])};
        face.texture = tokens.take();
        tokens.expect("[");
        face.u = {tokens.number(), tokens.number(), tokens.number()};
        face.shiftU = tokens.number();
        tokens.expect("]");
        tokens.expect("[");
        face.v = {tokens.number(), tokens.number(), tokens.number()};
        face.shiftV = tokens.number();
        tokens.expect("]");
        face.rotation = tokens.number();
        face.scaleU = tokens.number();
        face.scaleV = tokens.number();
        brush.faces.push_back(face);
    }
    std::vector<int> ids;
    PlaneTable table;
    for (const MapFace& f : brush.faces)
        ids.push_back(table.find(f.plane));
    brush.mins = {1e30, 1e30, 1e30};
    brush.maxs = {-1e30, -1e30, -1e30};
    const std::vector<BrushFace> solid = brushFromPlanes(ids, table, 1e5);
    brush.boundingFaces = solid.size();
    brush.volume = brushVolume(solid, table);
    for (const BrushFace& f : solid)
        for (const Vec3& q : f.winding) {
            brush.mins = {std::min(brush.mins.x, q.x), std::min(brush.mins.y, q.y), std::min(brush.mins.z, q.z)};
            brush.maxs = {std::max(brush.maxs.x, q.x), std::max(brush.maxs.y, q.y), std::max(brush.maxs.z, q.z)};
        }
    return brush;
}

} // namespace

bool MapBrush::contains(const Vec3& p) const
{
    if (p.x < mins.x || p.y < mins.y || p.z < mins.z || p.x > maxs.x || p.y > maxs.y || p.z > maxs.z)
        return false;
    for (const MapFace& f : faces)
        if (f.plane.distanceTo(p) > 0)
            return false;
    return true;
}

bool MapBrush::allFacesTextured(const char* name) const
{
    for (const MapFace& f : faces)
        if (f.texture != name)
            return false;
    return true;
}

const std::string* MapEntity::find(const std::string& key) const
{
    for (const auto& [k, v] : keys)
        if (k == key)
            return &v;
    return nullptr;
}

std::vector<MapEntity> parseMap(const std::string& text)
{
    std::vector<MapEntity> entities;
    Tokens tokens(text);
    std::string t;
    while (tokens.next(t)) {
        if (t != "{")
            throw std::runtime_error("expected an entity");
        MapEntity entity;
        for (;;) {
            t = tokens.take();
            if (t == "}")
                break;
            if (t == "{")
                entity.brushes.push_back(parseBrush(tokens));
            else
                entity.keys.emplace_back(unquote(t), unquote(tokens.take()));
        }
        entities.push_back(std::move(entity));
    }
    return entities;
}

} // namespace btm::test
