#include "bsptwomap/Entities.h"

#include "bsptwomap/Bsp.h"

namespace btm {

const std::string* Entity::find(const std::string& key) const
{
    for (const auto& [k, v] : keys)
        if (k == key)
            return &v;
    return nullptr;
}

void Entity::set(const std::string& key, const std::string& value)
{
    for (auto& [k, v] : keys)
        if (k == key) {
            v = value;
            return;
        }
    keys.emplace_back(key, value);
}

void Entity::erase(const std::string& key)
{
    std::erase_if(keys, [&](const auto& kv) { return kv.first == key; });
}

namespace {

class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text) {}

    // Returns the next token: "{", "}", a quoted string's contents (quoted = true), or nothing at the end.
    bool next(std::string& token, bool& quoted)
    {
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            token.assign(1, c);
            quoted = false;
            ++pos_;
            return true;
        }
        if (c != '"')
            throw BspError(
                "entity text, line " + std::to_string(line_) + ": unexpected character '" + std::string(1, c) + "'");
        const size_t end = text_.find('"', pos_ + 1);
        if (end == std::string::npos)
            throw BspError("entity text, line " + std::to_string(line_) + ": unterminated string");
        token = text_.substr(pos_ + 1, end - pos_ - 1);
        if (token.find('\n') != std::string::npos)
            throw BspError("entity text, line " + std::to_string(line_) + ": string spans lines");
        quoted = true;
        pos_ = end + 1;
        return true;
    }

    int line() const { return line_; }

private:
    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<Entity> parseEntities(const std::string& text)
{
    std::vector<Entity> entities;
    Lexer lexer(text);
    std::string token;
    bool quoted = false;
    while (lexer.next(token, quoted)) {
        if (quoted || token != "{")
            throw BspError("entity text, line " + std::to_string(lexer.line()) + ": expected '{'");
        Entity entity;
        for (;;) {
            if (!lexer.next(token, quoted))
                throw BspError("entity text ends inside an entity");
            if (!quoted && token == "}")
                break;
            if (!quoted)
                throw BspError("entity text, line " + std::to_string(lexer.line()) + ": expected a key");
            std::string key = token;
            if (!lexer.next(token, quoted) || !quoted)
                throw BspError(
                    "entity text, line " + std::to_string(lexer.line()) + ": key '" + key + "' has no value");
            entity.keys.emplace_back(std::move(key), token);
        }
        entities.push_back(std::move(entity));
    }
    return entities;
}

std::optional<size_t> brushModelIndex(const Entity& entity)
{
    const std::string* model = entity.find("model");
    if (!model || model->size() < 2 || model->size() > 8 || (*model)[0] != '*')
        return std::nullopt;
    size_t index = 0;
    for (size_t i = 1; i < model->size(); ++i) {
        const char c = (*model)[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        index = index * 10 + static_cast<size_t>(c - '0');
    }
    return index;
}

} // namespace btm
