#pragma once
// What a learner would find wrong with a screen as it is shown: a control meant to be seen or
// used that another window hides, or that runs into the movie's own buttons, texts or lines; a
// movie button that runs into another, into a text or a line, or half into a band (the title
// band, the footer). Read from the windows the system finds and from the movie as it is drawn.
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include "platform/flash/MovieRenderer.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Forms.h"
#include "tutor/menu/ScreenParts.h"

namespace tutor_testing {

struct MovieObstacles {
    struct Item { RECT rect; std::string what; };
    std::vector<Item> blocking;   // texts as drawn, buttons, lines and rules
    std::vector<Item> bands;      // rectangles as wide as the stage: wholly in or wholly out
    std::vector<Item> buttons;
};

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

inline bool Overlap(const RECT& a, const RECT& b) {
    RECT i;
    return IntersectRect(&i, &a, &b) != 0;
}

inline bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// The movie's items in the form's client coordinates.
inline MovieObstacles ObstaclesOf(TShockwaveFlash* flash) {
    MovieObstacles out;
    const MoviePlayer& player = flash->Player();
    const StageMapping m = player.Mapping();
    const int dx = flash->Left(), dy = flash->Top();
    auto mapped = [&](int x, int y, int w, int h) {
        RECT r{m.ToWindowX(x) + dx, m.ToWindowY(y) + dy, m.ToWindowX(x + w) + dx, m.ToWindowY(y + h) + dy};
        return r;
    };
    HDC dc = GetDC(flash->Handle());
    for (const MovieItem* item : player.VisibleItems()) {
        if (const MovieText* t = std::get_if<MovieText>(item)) {
            RECT r = TextBounds(dc, m, *t);
            if (IsRectEmpty(&r)) continue;
            OffsetRect(&r, dx, dy);
            out.blocking.push_back({r, "the movie's text \"" + FromWide(t->text) + "\""});
        } else if (const MovieButton* b = std::get_if<MovieButton>(item)) {
            RECT r = mapped(b->box.x, b->box.y, b->box.width, b->box.height);
            std::string what = "the movie's button " + FromWide(b->command);
            out.blocking.push_back({r, what});
            out.buttons.push_back({r, what});
        } else if (const MovieShape* s = std::get_if<MovieShape>(item)) {
            const MovieRect& box = s->box;
            if (s->kind == MovieShapeKind::Line) {
                int half = s->pen / 2 + 1;
                RECT r = mapped(std::min(box.x, box.x + box.width), std::min(box.y, box.y + box.height),
                                std::abs(box.width), std::abs(box.height));
                InflateRect(&r, half, half);
                out.blocking.push_back({r, "a line of the movie"});
            } else if (std::min(box.width, box.height) <= 4) {
                out.blocking.push_back({mapped(box.x, box.y, box.width, box.height), "a rule of the movie"});
            } else if (s->kind == MovieShapeKind::Rect && box.x <= 0 && box.width >= player.File().width) {
                out.bands.push_back({mapped(box.x, box.y, box.width, box.height), "a band of the movie"});
            }
        }
    }
    ReleaseDC(flash->Handle(), dc);
    return out;
}

// The deepest window at a screen point, disabled ones included (WindowFromPoint passes over them).
inline HWND DeepestWindowAt(POINT at) {
    HWND found = WindowFromPoint(at);
    if (!found) return nullptr;
    HWND current = GetAncestor(found, GA_ROOT);
    for (;;) {
        POINT local = at;
        ScreenToClient(current, &local);
        HWND child = ChildWindowFromPointEx(current, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == current) return current;
        current = child;
    }
}

inline void CollectShown(TWinControl* parent, std::vector<TControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        out.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) CollectShown(w, out);
    }
}

// The form must be shown, on the screen and on top. Controls named in underMovie lie under the
// movie on purpose, as the command targets do.
inline std::vector<std::string> LayoutFaults(TForm* form, const std::set<String>& underMovie = {}) {
    std::vector<std::string> faults;
    TShockwaveFlash* movie = nullptr;
    std::vector<TControl*> shown;
    CollectShown(form, shown);
    for (TControl* c : shown)
        if (auto* f = dynamic_cast<TShockwaveFlash*>(c); f && f->Align() == alClient) movie = f;
    MovieObstacles obstacles = movie ? ObstaclesOf(movie) : MovieObstacles{};
    const TPoint origin = form->ClientOrigin();
    auto againstMovie = [&](const RECT& r, const std::string& name, const RECT* self) {
        for (const auto& o : obstacles.blocking)
            if (!(self && EqualRect(self, &o.rect)) && Overlap(r, o.rect))
                faults.push_back(name + " " + Describe(r) + " runs into " + o.what + " " + Describe(o.rect));
        for (const auto& band : obstacles.bands)
            if (Overlap(r, band.rect) && !Inside(r, band.rect))
                faults.push_back(name + " " + Describe(r) + " runs half into " + band.what + " " + Describe(band.rect));
    };
    for (const auto& b : obstacles.buttons) againstMovie(b.rect, b.what, &b.rect);
    for (TControl* c : shown) {
        if (c == movie || dynamic_cast<TCommandTarget*>(c) || underMovie.count(c->Name())) continue;
        const std::string name = form->Name() + "." + c->Name();
        TPoint at = c->Parent()->ClientOrigin();
        RECT r{at.X + c->Left() - origin.X, at.Y + c->Top() - origin.Y, 0, 0};
        r.right = r.left + c->Width();
        r.bottom = r.top + c->Height();
        POINT centre{origin.X + (r.left + r.right) / 2, origin.Y + (r.top + r.bottom) / 2};
        HWND found = DeepestWindowAt(centre);
        bool seen;
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            seen = found == w->Handle() || IsChild(w->Handle(), found);
        } else {
            TWinControl* parent = c->Parent();
            TPoint local = parent->ScreenToClient(TPoint{centre.x, centre.y});
            seen = found == parent->Handle() && parent->ControlAtPos(local, true) == c;
        }
        if (!seen) faults.push_back(name + " " + Describe(r) + " is hidden by another window at its centre");
        againstMovie(r, name, nullptr);
    }
    return faults;
}

}  // namespace tutor_testing
