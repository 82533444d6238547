#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz corpus: small valid files of every kind
the program reads, and damaged ones that once took a wrong path. Inputs the
fuzzer found are added beside them under names of their own (crash-*, found-*).
Run from this folder: python3 make_seeds.py"""
import math
import os
import struct
import zlib


def put(target, name, data):
    os.makedirs(target, exist_ok=True)
    with open(os.path.join(target, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def bmp_without_signature(width, height, colour=(255, 255, 255)):
    """A 24-bit BMP, bottom-up, without its "BM"."""
    stride = (width * 3 + 3) & ~3
    pixels = (bytes(colour[::-1]) * width + b"\0" * (stride - width * 3)) * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def mono_bmp_without_signature(width, height):
    """A 1-bit BMP, all white, without its "BM": big pictures in few bytes."""
    stride = ((width + 31) // 32) * 4
    pixels = b"\xff" * stride * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 0)
    palette = b"\0\0\0\0\xff\xff\xff\0"
    offset = 14 + len(info) + len(palette)
    return struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def packed(image):
    return struct.pack("<I", len(image)) + image


def deck_header(all_pictures=1, index=(4, 4)):
    h = bytearray(57)
    struct.pack_into("<6i", h, 0, index[0], index[1], 1, 1, 6, 3)
    h[24:27] = b"\1\1\1"
    struct.pack_into("<i", h, 31, 0)
    struct.pack_into("<i", h, 35, 0)
    struct.pack_into("<i", h, 40, all_pictures)
    h[44] = 1
    return bytes(h)


def record(game=0, mode=1, coin=2, bet=5, win=0, best_win=0, line=255, best_line=255, deal=46000.5, collected=None):
    r = bytearray(79)
    r[1], r[2], r[3] = game, 0, mode
    r[4:9] = bytes([0, 13, 26, 39, 51])
    r[9:14] = bytes([1, 2, 3, 4, 5])
    r[14], r[15] = coin, bet
    struct.pack_into("<iiii", r, 16, win if collected is None else collected, win, best_win, 4000)
    r[32], r[33], r[34] = 255, line, best_line
    r[35], r[36], r[37] = 31, 0, 0
    struct.pack_into("<dddd", r, 38, 1.0, 1.5, deal, deal + 0.0001)
    r[70] = 0
    struct.pack_into("<d", r, 71, 1.5)
    return bytes(r)


# Settings and language files.
put("ini", "settings.ini", "[Preferences]\nInterfaceLanguage=ENG\nDealSpeed=100\nAutosave=123\n\n[Params]\nGame=  0  0\n")
put("ini", "comments-crlf.ini", "\ufeff; by hand\r\n[Preferences]\r\n# speed\r\nDealSpeed=50\r\nnote\r\n[Preferences]\r\ndealspeed=7\r\n")
put("ini", "odd-lines.ini", "=no key\n[]\n[open\nkey=value=more\n[x]\n  spaced key  =  kept blanks  \n\r\r\n[y]z]\nk=\x00\xff\n")
put("ini", "huge-numbers.ini", "[Params]\nCredits=2147483647\nTime=9223372036854775807\nBalance=1e308\nHands=-2147483648\n")
put("language", "english.ini", "[Info]\nLanguage=English\n[Main.Labels]\nBet.Hint=Coins bet on each hand, 'one to five' and \"more-or-less\" words\n")
put("language", "russian.ini", "[Info]\nLanguage=Русский\n[Main.Buttons]\nOK=ОК\nDeal.Hint=Раздать новую руку (пробел)\n")
put("language", "long-hint.ini", "[A]\nX.Hint=" + "-" * 300 + " " + "'" * 90 + "\n[B]\nY.Hint=\t\t\t\n")

# Game logs: whole records, a fragment, and records that are no hands.
valid = record() + record(game=4, line=3, best_line=3, win=25, best_win=25) + record(deal=45990.2)
put("game_log", "three-hands.log", valid)
put("game_log", "fragment.log", valid + record()[:40])
put("game_log", "damaged-records.log",
    record(coin=200) + record(game=99) + record(line=40) + record(bet=0)
    + record()[:54] + struct.pack("<d", math.nan) + record()[62:] + record(win=2**31 - 1, best_win=-1, collected=-(2**31)))
put("game_log", "days-out-of-order.log", b"".join(record(deal=46000.5 - (i * 7919) % 97) for i in range(40)))

# Paytable files.
line = "".join("%6d" % v for v in ([800, 50, 25, 9, 6, 4, 3, 2, 1] + [-1] * 7) * 5)
put("paytable", "jacks.dat", "[Jacks or better]\r\n" + line + "\r\n\r\n[Deuces wild]\r\n")
put("paytable", "junk-and-short.dat", "junk\r\n[Jacks or better]\r\n" + line[:99] + "\r\n; c\r\n" + line.replace("   800", "    x8") + "\r\n")
put("paytable", "wide-numbers.dat", "[Jacks or better]\n" + "9999999999" * 50 + "\n" + "-2147483648 " * 80 + "\n")
put("paytable", "binary.dat", b"[Jacks or better]\r\n\x00\x01\x02" + b"\xff" * 120)

# Return caches.
key = "0 5 800 50 25 9 6 4 3 2 1"
put("return_cache", "one-entry.returns", key + "|2598960 134459 99.5439 19.5 0.545 9 1e-05 1e-05 1e-05 0.002 0.01 0.01 0.02 0.1 0.2\n")
put("return_cache", "damaged.returns", key + "|1 2 3\n" + key + "|1 2 nan inf -inf 99999999\n|\n" + key + "|1 2 3 4 5 16" + " 0.1" * 3 + "\n")
put("return_cache", "no-bars.returns", "nothing here\n\n\n" + "x" * 500 + "\n")

# Packed images, decks and backs.
small = bmp_without_signature(4, 3, (10, 20, 30))
put("packed_image", "two-images.bin", packed(small) + packed(bmp_without_signature(2, 2)))
put("packed_image", "length-past-end.bin", struct.pack("<I", 10 ** 6) + small)
wide = bytearray(small)
struct.pack_into("<i", wide, 16, 100000)
put("packed_image", "impossible-size.bin", packed(bytes(wide)))
put("packed_image", "cut-short.bin", packed(small)[:20])

ranks = packed(bmp_without_signature(13 * 11, 2 * 14, (0, 0, 0)))
pictures = packed(mono_bmp_without_signature(4 * 94, 127))
suits = packed(bmp_without_signature(4 * 14, 15, (200, 0, 0)))
deck = deck_header() + ranks + pictures + suits
put("deck", "tiny-deck.bin", zlib.compress(deck, 9))
put("deck", "header-only.bin", zlib.compress(deck_header(), 9))
put("deck", "far-index.bin", zlib.compress(deck_header(index=(1 << 30, 4)) + ranks + pictures + suits, 9))
put("deck", "pictures-too-narrow.bin", zlib.compress(deck_header(all_pictures=0) + ranks + pictures + suits, 9))
put("deck", "cut-stream.bin", zlib.compress(deck, 9)[:300])
# The contents behind the zlib layer, which the entry also tries compressed.
put("deck", "tiny-deck-contents.bin", deck)
put("back", "one-back.bin", zlib.compress(packed(bmp_without_signature(94 * 2, 127, (0, 0, 128))), 9))
put("back", "not-zlib.bin", b"not a zlib stream at all")
put("back", "one-back-contents.bin", packed(mono_bmp_without_signature(94 * 2, 127)))
put("back", "empty-stream.bin", zlib.compress(b"", 9))
put("back", "bomb.bin", zlib.compress(b"\0" * (20 * 1024 * 1024), 9))

# Strategy charts come from the program itself (`drawmentor-cli strategy
# --game G --paytable 0 --save FILE`): chart/jacks.chart and chart/deuces.chart
# are kept as made; the damaged ones below are cut from the first.
jacks_chart = os.path.join("chart", "jacks.chart")
if os.path.exists(jacks_chart):
    with open(jacks_chart) as f:
        text = f.read()
    last = text.rstrip("\n").rsplit("\n", 1)
    put("chart", "last-line-misses-discard.chart", last[0] + "\n" + last[1].replace("0 1 1 0 0", "0 2 2 0 0", 1) + "\n")
    put("chart", "huge-figures.chart", text.replace("deals 2598960", "deals 99999999999999", 1))
    put("chart", "cut.chart", text[: len(text) // 2])

quiz = ("DrawMentor quiz 1\ngame 0\nbet 5\npays 4000,250,125,45,30,20,15,10,5\nquestions 7\n"
        "line 2 9 3 2 kind2[g0]\nline 1 8 2 0 royal5\nday 2026-12-07 4 2\nday 2026-12-08 3 2\n")
put("quiz", "schedule.quiz", quiz)
put("quiz", "other-pays.quiz", quiz.replace("4000,", "800,", 1))
put("quiz", "right-above-asked.quiz", quiz.replace("line 2 9 3 2", "line 2 9 3 4", 1))
put("quiz", "cut.quiz", quiz[: len(quiz) // 2])
