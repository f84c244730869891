# shellcheck shell=bash
# Colour counts, pixel runs and contrast in screenshots, for the real-window
# scripts (sourced).
# A region is an ImageMagick geometry WxH+X+Y in screen pixels; a colour is one
# word list "R G B" with 8-bit channels, a palette several such lists in one.

# Every colour of a region as lines "count R G B".
region_histogram() {
    local file=$1 region=$2
    convert "$file" -crop "$region" +repage -alpha off -depth 8 \
        -format %c histogram:info:- |
        sed -nE 's/^ *([0-9]+): *\( *([0-9]+), *([0-9]+), *([0-9]+)[,)].*/\1 \2 \3 \4/p'
}

# How many pixels of a region have exactly the colour given.
count_colour() {
    local file=$1 region=$2 colour=$3
    region_histogram "$file" "$region" |
        awk -v colour="$colour" '($2 " " $3 " " $4) == colour { n += $1 } END { print n + 0 }'
}

# How many pixels of a region have none of the colours of the palette.
count_outside_palette() {
    local file=$1 region=$2 palette=$3
    region_histogram "$file" "$region" | awk -v palette="$palette" '
        BEGIN { n = split(palette, c, " "); for (i = 1; i + 2 <= n; i += 3) known[c[i] " " c[i+1] " " c[i+2]] = 1 }
        !(($2 " " $3 " " $4) in known) { outside += $1 }
        END { print outside + 0 }'
}

# How many pixels of a region are clearly tinted red, green or blue: that
# channel exceeds both others by more than 60. Blends of a coloured text with
# its background count too, so the check does not depend on a font's shapes.
count_tinted() {
    local file=$1 region=$2 channel=$3
    region_histogram "$file" "$region" | awk -v channel="$channel" '
        {
            r = $2; g = $3; b = $4
            if (channel == "red") tinted = r > g + 60 && r > b + 60
            else if (channel == "green") tinted = g > r + 60 && g > b + 60
            else tinted = b > r + 60 && b > g + 60
            if (tinted) n += $1
        }
        END { print n + 0 }'
}

# A hash of a region's pixels: equal hashes, equal pictures.
region_signature() {
    local file=$1 region=$2
    convert "$file" -crop "$region" +repage -alpha off -depth 8 -format '%#' info:
}
# The hashes of several regions (a space-separated list), one a line.
regions_signature() {
    local region
    for region in $2; do region_signature "$1" "$region" && echo; done
}

# The runs of a colour along a strip one pixel wide or one pixel high, as
# lines "first last" in strip coordinates (0 at the strip's start).
colour_runs() {
    local file=$1 region=$2 colour=$3
    convert "$file" -crop "$region" +repage -alpha off -depth 8 txt:- |
        sed -nE 's/^([0-9]+),([0-9]+): *\( *([0-9]+), *([0-9]+), *([0-9]+)[,)].*/\1 \2 \3 \4 \5/p' |
        awk -v colour="$colour" '
            { at = ($1 > $2 ? $1 : $2); match_ = (($3 " " $4 " " $5) == colour) }
            match_ && !inside { first = at; inside = 1 }
            !match_ && inside { print first, last; inside = 0 }
            { last = at }
            END { if (inside) print first, last }'
}

# The contrast ratio (WCAG 2.1), two decimals, of a region's most common
# colour with the colour in it that differs most (a text's with its
# background) or, given a second region, with that region's most common one.
region_contrast() {
    {
        region_histogram "$1" "$2" | sort -k1,1nr
        if [ -n "${3:-}" ]; then region_histogram "$1" "$3" | sort -k1,1nr | awk 'NR == 1'; fi
    } | awk -v pair="${3:+yes}" '
        function linear(v) { v /= 255; return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ^ 2.4 }
        { l = 0.2126 * linear($2) + 0.7152 * linear($3) + 0.0722 * linear($4) + 0.05 }
        NR == 1 { first = l }
        { ratio = l > first ? l / first : first / l; if (ratio > best) best = ratio }
        END { if (pair) best = l > first ? l / first : first / l; printf "%.2f\n", best }'
}
