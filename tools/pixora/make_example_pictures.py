#!/usr/bin/python3
"""Draws the example pack's pictures: every name the wizard asks for, for
both player kinds and all four density buckets, plus the check-state bitmaps.

    make_example_pictures.py OUT_DIR LANGUAGE_ID...

Shapes are drawn four times larger and scaled down, for smooth edges."""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4  # supersampling factor
BUCKETS = {"96": 1.0, "120": 1.25, "144": 1.5, "192": 2.0}
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Each player kind has its own colours: a deep background and a warm accent.
THEMES = {
    "WINAMP": {"deep": (22, 28, 58), "mid": (48, 66, 132), "accent": (255, 142, 28), "glow": (255, 196, 92)},
    "WACUP": {"deep": (10, 40, 48), "mid": (22, 110, 122), "accent": (86, 214, 170), "glow": (170, 246, 214)},
}
GREY = {"deep": (70, 72, 78), "mid": (120, 124, 132), "accent": (178, 180, 186), "glow": (210, 212, 216)}


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), max(1, int(size)))


def canvas(w, h):
    return Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))


def finish(img, w, h):
    return img.resize((w, h), Image.LANCZOS)


def gradient(w, h, top, bottom):
    g = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(g)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    return g


def rounded_mask(w, h, r):
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).rounded_rectangle([0, 0, w - 1, h - 1], r, fill=255)
    return m


def tile(w, h, theme, radius=0.22):
    """A rounded square with the theme's gradient and a soft highlight."""
    W, H = w * SS, h * SS
    img = canvas(w, h)
    body = gradient(W, H, theme["mid"], theme["deep"])
    img.paste(body, (0, 0), rounded_mask(W, H, int(min(W, H) * radius)))
    shine = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(shine).ellipse([-W * 0.3, -H * 0.9, W * 1.3, H * 0.45], fill=(255, 255, 255, 38))
    img.alpha_composite(Image.composite(shine, Image.new("RGBA", (W, H)), rounded_mask(W, H, int(min(W, H) * radius))))
    return img


def waveform(d, box, colour, bars=7):
    x0, y0, x1, y1 = box
    bw = (x1 - x0) / (bars * 1.6)
    cy = (y0 + y1) / 2
    for i in range(bars):
        amp = (0.35 + 0.65 * abs(math.sin(i * 1.3 + 0.6))) * (y1 - y0) / 2
        x = x0 + i * bw * 1.6 + bw * 0.3
        d.rounded_rectangle([x, cy - amp, x + bw, cy + amp], bw / 2, fill=colour)


def text_centre(d, xy, text, f, fill):
    d.text(xy, text, font=f, fill=fill, anchor="mm")


def speech_bubble(d, box, fill):
    x0, y0, x1, y1 = box
    d.rounded_rectangle([x0, y0, x1, y1 - (y1 - y0) * 0.18], (x1 - x0) * 0.18, fill=fill)
    d.polygon([(x0 + (x1 - x0) * 0.22, y1 - (y1 - y0) * 0.2), (x0 + (x1 - x0) * 0.18, y1),
               (x0 + (x1 - x0) * 0.45, y1 - (y1 - y0) * 0.2)], fill=fill)


def emblem(size, theme, mark):
    """A component picture: a themed tile with a white mark on it."""
    img = tile(size, size, theme)
    d = ImageDraw.Draw(img)
    S = size * SS
    white = (255, 255, 255, 240)
    if mark == "langpack":
        speech_bubble(d, (S * 0.16, S * 0.18, S * 0.84, S * 0.8), white)
        text_centre(d, (S * 0.5, S * 0.43), "PL", font(S * 0.26), theme["deep"] + (255,))
    elif mark == "help":
        d.ellipse([S * 0.2, S * 0.2, S * 0.8, S * 0.8], outline=white, width=int(S * 0.06))
        text_centre(d, (S * 0.5, S * 0.52), "?", font(S * 0.4), white)
    elif mark == "skin":
        d.rounded_rectangle([S * 0.16, S * 0.26, S * 0.84, S * 0.74], S * 0.05, fill=(30, 30, 34, 255),
                            outline=white, width=int(S * 0.03))
        d.rectangle([S * 0.16, S * 0.26, S * 0.84, S * 0.34], fill=theme["accent"] + (255,))
        waveform(d, (S * 0.22, S * 0.4, S * 0.62, S * 0.66), theme["glow"] + (255,), 6)
        d.polygon([(S * 0.66, S * 0.44), (S * 0.66, S * 0.62), (S * 0.8, S * 0.53)], fill=white)
    elif mark == "plugin":
        d.rounded_rectangle([S * 0.24, S * 0.36, S * 0.76, S * 0.8], S * 0.06, fill=white)
        for x in (0.36, 0.58):
            d.rectangle([S * x, S * 0.2, S * (x + 0.06), S * 0.36], fill=white)
        text_centre(d, (S * 0.5, S * 0.58), "+", font(S * 0.3), theme["deep"] + (255,))
    elif mark == "player":
        waveform(d, (S * 0.18, S * 0.24, S * 0.58, S * 0.76), theme["glow"] + (255,), 5)
        d.polygon([(S * 0.6, S * 0.3), (S * 0.6, S * 0.7), (S * 0.86, S * 0.5)], fill=white)
    elif mark == "unknown":
        text_centre(d, (S * 0.5, S * 0.5), "?", font(S * 0.55), white)
    elif mark == "gear":
        cx = cy = S * 0.5
        for k in range(8):
            a = k * math.pi / 4
            d.line([(cx + math.cos(a) * S * 0.18, cy + math.sin(a) * S * 0.18),
                    (cx + math.cos(a) * S * 0.34, cy + math.sin(a) * S * 0.34)], fill=white, width=int(S * 0.11))
        d.ellipse([cx - S * 0.24, cy - S * 0.24, cx + S * 0.24, cy + S * 0.24], fill=white)
        d.ellipse([cx - S * 0.1, cy - S * 0.1, cx + S * 0.1, cy + S * 0.1], fill=theme["mid"] + (255,))
    elif mark == "folder-error":
        d.rounded_rectangle([S * 0.14, S * 0.3, S * 0.86, S * 0.78], S * 0.05, fill=(246, 200, 92, 255))
        d.rounded_rectangle([S * 0.14, S * 0.24, S * 0.46, S * 0.36], S * 0.04, fill=(246, 200, 92, 255))
        d.ellipse([S * 0.52, S * 0.5, S * 0.9, S * 0.88], fill=(212, 0, 0, 255))
        d.line([(S * 0.62, S * 0.6), (S * 0.8, S * 0.78)], fill=white, width=int(S * 0.06))
        d.line([(S * 0.8, S * 0.6), (S * 0.62, S * 0.78)], fill=white, width=int(S * 0.06))
    elif mark == "success":
        d.ellipse([S * 0.18, S * 0.18, S * 0.82, S * 0.82], fill=(46, 170, 82, 255))
        d.line([(S * 0.33, S * 0.52), (S * 0.46, S * 0.65), (S * 0.68, S * 0.38)], fill=white,
               width=int(S * 0.08), joint="curve")
    elif mark == "failed":
        d.ellipse([S * 0.18, S * 0.18, S * 0.82, S * 0.82], fill=(212, 0, 0, 255))
        d.line([(S * 0.36, S * 0.36), (S * 0.64, S * 0.64)], fill=white, width=int(S * 0.08))
        d.line([(S * 0.64, S * 0.36), (S * 0.36, S * 0.64)], fill=white, width=int(S * 0.08))
    return finish(img, size, size)


def header(w, h, theme):
    img = canvas(w, h)
    W, H = w * SS, h * SS
    side = min(W, H) * 0.82
    x0, y0 = (W - side) / 2, (H - side) / 2
    t = tile(int(side / SS), int(side / SS), theme)
    img.alpha_composite(t, (int(x0), int(y0)))
    d = ImageDraw.Draw(img)
    waveform(d, (x0 + side * 0.16, y0 + side * 0.22, x0 + side * 0.84, y0 + side * 0.78), theme["glow"] + (255,), 5)
    return finish(img, w, h)


def tall(w, h, theme, mode):
    W, H = w * SS, h * SS
    img = gradient(W, H, theme["mid"], theme["deep"])
    # Soft light spots, blended over the gradient.
    spots = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    sd = ImageDraw.Draw(spots)
    for cx, cy, r, a in [(0.1, 0.12, 0.5, 34), (0.95, 0.55, 0.6, 24), (0.3, 0.98, 0.45, 28)]:
        sd.ellipse([W * cx - W * r, H * cy - W * r, W * cx + W * r, H * cy + W * r], fill=theme["glow"] + (a,))
    img.alpha_composite(spots.filter(ImageFilter.GaussianBlur(SS * 6)))
    d = ImageDraw.Draw(img)
    # A waveform band across the middle, glowing.
    band = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    waveform(ImageDraw.Draw(band), (W * 0.12, H * 0.3, W * 0.88, H * 0.5), theme["accent"] + (255,), 9)
    img.alpha_composite(band.filter(ImageFilter.GaussianBlur(SS * 4)))
    img.alpha_composite(band)
    speech_bubble(d, (W * 0.3, H * 0.56, W * 0.7, H * 0.7), (255, 255, 255, 235))
    text_centre(d, (W * 0.5, H * 0.615), "PL", font(W * 0.13), theme["deep"] + (255,))
    text_centre(d, (W * 0.5, H * 0.8), "Lingvora", font(W * 0.15), (255, 255, 255, 255))
    text_centre(d, (W * 0.5, H * 0.86), mode.lower(), font(W * 0.08, bold=False), theme["glow"] + (255,))
    return finish(img, w, h)


def paypal(w, h, state):
    W, H = w * SS, h * SS
    img = canvas(w, h)
    fill = {"NORMAL": ((255, 196, 57), (246, 170, 30)), "ACTIVE": ((255, 214, 102), (252, 186, 60)),
            "CLICK": ((232, 160, 24), (214, 140, 10))}[state]
    body = gradient(W, H, *fill)
    img.paste(body, (0, 0), rounded_mask(W, H, H // 2))
    d = ImageDraw.Draw(img)
    f = font(H * 0.42)
    d.text((W * 0.5 - d.textlength("Pay", font=f) / 2 - d.textlength("Pal", font=f) / 2 + 0, H * 0.5), "Pay",
           font=f, fill=(0, 48, 135, 255), anchor="lm")
    d.text((W * 0.5 + d.textlength("Pay", font=f) / 2 - d.textlength("Pal", font=f) / 2, H * 0.5), "Pal",
           font=f, fill=(0, 156, 222, 255), anchor="lm")
    return finish(img, w, h)


def flag(size, language):
    W = H = size * SS
    img = canvas(size, size)
    inner = Image.new("RGBA", (W, int(H * 0.66)))
    d = ImageDraw.Draw(inner)
    w, h = inner.size
    if language == "1045":
        d.rectangle([0, 0, w, h / 2], fill=(255, 255, 255, 255))
        d.rectangle([0, h / 2, w, h], fill=(220, 20, 60, 255))
    else:
        for i in range(13):
            d.rectangle([0, h * i / 13, w, h * (i + 1) / 13], fill=(178, 34, 52, 255) if i % 2 == 0 else (255, 255, 255, 255))
        d.rectangle([0, 0, w * 0.42, h * 7 / 13], fill=(60, 59, 110, 255))
        for r in range(4):
            for c in range(5):
                x, y = w * 0.05 + c * w * 0.08, h * 0.06 + r * h * 0.12
                d.ellipse([x, y, x + w * 0.03, y + w * 0.03], fill=(255, 255, 255, 255))
    top = (H - h) // 2
    img.paste(inner, (0, top), rounded_mask(w, h, int(h * 0.12)))
    ImageDraw.Draw(img).rounded_rectangle([0, top, w - 1, top + h - 1], int(h * 0.12), outline=(0, 0, 0, 90), width=SS)
    return finish(img, size, size)


def check_state(dark, state):
    """16 x 16 check box on magenta, which the image list makes transparent."""
    img = Image.new("RGB", (16, 16), (255, 0, 255))
    d = ImageDraw.Draw(img)
    frame, face = ((140, 140, 146), (40, 40, 44)) if dark else ((112, 112, 120), (255, 255, 255))
    mark = (220, 220, 226) if dark else (24, 24, 28)
    if state == "DISABLED":
        face, mark = ((64, 64, 68), (120, 120, 124)) if dark else ((232, 232, 232), (150, 150, 150))
    d.rectangle([2, 2, 13, 13], fill=face, outline=frame)
    if state in ("CHECK", "DISABLED"):
        d.line([(4, 8), (6, 10), (11, 5)], fill=mark, width=2)
    elif state == "MIXED":
        d.rectangle([5, 5, 10, 10], fill=mark)
    return img


def about_header(path):
    """The help plugin's About box header, 400 x 141."""
    w, h = 400, 141
    theme = THEMES["WINAMP"]
    W, H = w * SS, h * SS
    img = gradient(W, H, theme["mid"], theme["deep"])
    band = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    waveform(ImageDraw.Draw(band), (W * 0.06, H * 0.22, W * 0.36, H * 0.78), theme["accent"] + (255,), 7)
    img.alpha_composite(band.filter(ImageFilter.GaussianBlur(SS * 3)))
    img.alpha_composite(band)
    d = ImageDraw.Draw(img)
    d.text((W * 0.42, H * 0.38), "Orva", font=font(H * 0.3), fill=(255, 255, 255, 255), anchor="lm")
    d.text((W * 0.42, H * 0.66), "pomoc Winampa po polsku", font=font(H * 0.11, bold=False),
           fill=theme["glow"] + (255,), anchor="lm")
    finish(img, w, h).save(path)


def main():
    if sys.argv[1] == "--about":
        about_header(sys.argv[2])
        return
    out = sys.argv[1]
    languages = sys.argv[2:]
    os.makedirs(out, exist_ok=True)

    def save(img, name):
        img.save(os.path.join(out, name + ".png"), optimize=True)

    for bucket, k in BUCKETS.items():
        px = lambda n: max(1, round(n * k))
        for mode, theme in THEMES.items():
            save(header(px(48), px(59), theme), f"HEADER_{mode}_{bucket}")
            save(tall(px(185), px(362), theme, mode), f"{mode}_{bucket}")
            save(emblem(px(105), theme, "langpack"), f"LANGPACK_{mode}_{bucket}")
            save(emblem(px(105), GREY, "langpack"), f"LANGPACK_DISABLED_{mode}_{bucket}")
            save(emblem(px(105), theme, "help"), f"HELP_PLUGIN_{mode}_{bucket}")
            save(emblem(px(105), theme, "skin"), f"CLASSIC_SKIN_{mode}_{bucket}")
            save(emblem(px(105), theme, "plugin"), f"ADDITIONAL_PLUGIN_{mode}_{bucket}")
            save(emblem(px(64), theme, "player"), f"INFO_{mode}_{bucket}")
        winamp = THEMES["WINAMP"]
        save(emblem(px(64), GREY, "unknown"), f"INFO_UNKNOWN_{bucket}")
        save(emblem(px(64), winamp, "folder-error"), f"DIRECTORY_ERROR_{bucket}")
        save(emblem(px(96), winamp, "gear"), f"INSTALL_CONFIG_{bucket}")
        save(emblem(px(96), winamp, "success"), f"INSTALL_SUCCESS_{bucket}")
        save(emblem(px(96), winamp, "failed"), f"INSTALL_FAILED_{bucket}")
        for state in ("NORMAL", "ACTIVE", "CLICK"):
            save(paypal(px(128), px(48), state), f"PAYPAL_{state}_{bucket}")
        for language in languages:
            save(flag(px(48), language), f"FLAG_{language}_{bucket}")
    for dark in (False, True):
        for state in ("UNCHECK", "CHECK", "MIXED", "DISABLED"):
            name = f"APP_STATE_{'DARK_' if dark else ''}{state}"
            check_state(dark, state).save(os.path.join(out, name + ".bmp"))


if __name__ == "__main__":
    main()
