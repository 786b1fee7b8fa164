#!/usr/bin/env python3
"""Writes res/Busy.avi, the progress window's looping 32 x 32 clip: a ring of eight navy dots
whose brightest dot goes round, trailing fading ones.

The common controls' animation control plays only uncompressed or RLE clips without sound, so
this writes an uncompressed 8-bit clip with a palette of white to navy, one stream, an index
and no sound. The first pixel is the background (white): a transparent control shows its
parent's colour there.

Run: python3 tools/make-busy-clip.py res/Busy.avi
"""
import math
import struct
import sys

SIZE = 32
FRAMES = 8
FRAMES_PER_SECOND = 10
SHADES = 64  # palette entries from white (0) to navy (SHADES - 1)
NAVY = (0, 0, 128)
RING_RADIUS = 11.0
DOT_RADIUS = 3.2
SAMPLES = 4  # per pixel and axis, for smooth edges


def frame(step):
    """One frame's rows of palette indices, bottom row first as a bitmap holds them."""
    dots = []
    for i in range(FRAMES):
        angle = 2 * math.pi * i / FRAMES - math.pi / 2
        # The head is at `step`; each dot behind it is paler.
        age = (step - i) % FRAMES
        strength = max(0.18, 1.0 - 0.2 * age)
        dots.append((SIZE / 2 + RING_RADIUS * math.cos(angle),
                     SIZE / 2 + RING_RADIUS * math.sin(angle), strength))
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            ink = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = x + (sx + 0.5) / SAMPLES
                    py = y + (sy + 0.5) / SAMPLES
                    for cx, cy, strength in dots:
                        if (px - cx) ** 2 + (py - cy) ** 2 <= DOT_RADIUS ** 2:
                            ink += strength
                            break
            ink /= SAMPLES * SAMPLES
            row.append(round(ink * (SHADES - 1)))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def chunk(fourcc, data):
    padded = data + (b"\0" if len(data) % 2 else b"")
    return fourcc + struct.pack("<I", len(data)) + padded


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def main(path):
    frames = [frame(step) for step in range(FRAMES)]
    frame_size = len(frames[0])
    palette = b"".join(
        bytes((round(255 + (NAVY[2] - 255) * i / (SHADES - 1)),   # blue
               round(255 + (NAVY[1] - 255) * i / (SHADES - 1)),   # green
               round(255 + (NAVY[0] - 255) * i / (SHADES - 1)),   # red
               0)) for i in range(SHADES))
    bitmap = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, frame_size, 0, 0, SHADES, 0)
    main_header = struct.pack("<14I", 1_000_000 // FRAMES_PER_SECOND,
                              frame_size * FRAMES_PER_SECOND, 0, 0x10, FRAMES, 0, 1, frame_size,
                              SIZE, SIZE, 0, 0, 0, 0)
    stream_header = (b"vids" + b"DIB " +
                     struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, FRAMES_PER_SECOND, 0, FRAMES,
                                 frame_size, -1, 0, 0, 0, SIZE, SIZE))
    header = riff_list(b"LIST", b"hdrl",
                       chunk(b"avih", main_header) +
                       riff_list(b"LIST", b"strl",
                                 chunk(b"strh", stream_header) +
                                 chunk(b"strf", bitmap + palette)))
    movie = b""
    index = b""
    for data in frames:
        # Offsets count from the "movi" of the movie list.
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movie), frame_size)
        movie += chunk(b"00db", data)
    body = header + riff_list(b"LIST", b"movi", movie) + chunk(b"idx1", index)
    with open(path, "wb") as out:
        out.write(riff_list(b"RIFF", b"AVI ", body))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/Busy.avi")
