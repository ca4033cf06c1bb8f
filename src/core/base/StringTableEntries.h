#pragma once
// The English texts, keyed as the rest of the code names them. Add the keys a
// feature uses next to the others of its kind.

#include <string_view>
#include <utility>

namespace orlenza {

inline constexpr std::pair<std::string_view, std::string_view> kStringTableEntries[] = {
    // Orbit analyzers.
    {"OA_Angle", "Angle"},
    {"OA_Closeness", "Closeness"},
    {"OA_CrossTrap", "Cross trap"},
    {"OA_Distance", "Distance"},
    {"OA_Dwell", "Dwell"},
    {"OA_Gravity", "Gravity"},
    {"OA_Harmonic", "Harmonic"},
    {"OA_Imag", "Imaginary part"},
    {"OA_Length", "Length"},
    {"OA_MinDist", "Minimum distance"},
    {"OA_Potential", "Potential"},
    {"OA_Real", "Real part"},
    // Normalizers.
    {"norm_arctan", "Arc tangent"},
    {"norm_exp", "Exponential"},
    {"norm_fuzz", "Fuzz"},
    {"norm_inverse", "Inverse"},
    {"norm_lin", "Linear"},
    {"norm_log", "Logarithmic"},
    {"norm_modulo", "Modulo"},
    {"norm_sin", "Sine"},
    {"norm_sqrt", "Square root"},
    // Categories of the generator catalogue.
    {"categ_escape", "Escape time"},
    {"categ_phaseplane", "Phase plane"},
    {"categ_fractals", "Fractals"},
    {"categ_textures", "Textures"},
    {"categ_dynsys", "Dynamical systems"},
    {"categ_lines", "Lines"},

    // Categories of the built-in gradations.
    {"categ_classic", "Classic"},
    {"categ_grays", "Grays"},
    {"categ_greens", "Greens"},
    {"categ_reds", "Reds"},
    {"categ_rainbow", "Rainbow"},
    {"categ_symmetric", "Symmetric"},
    {"categ_triples", "Three colours"},
    {"categ_washes", "Washes"},

    // Names of the built-in snapshots, as their files store them.
    {"SnapEscGoldenStarfish", "Golden starfish"},
    {"SnapEscVioletStar", "Violet star"},
    {"SnapEscRoseLace", "Rose lace"},
    {"SnapEscIceKite", "Ice kite"},
    {"SnapEscGreenWeb", "Green web"},
    {"SnapEscCopperCave", "Copper cave"},
    {"SnapEscEmberRing", "Ember ring"},
    {"SnapEscGoldenSwirl", "Golden swirl"},
    {"SnapEscPrism", "Prism"},
    {"SnapEscBlueRelief", "Blue relief"},
    // Flow-like escape-time pictures stand in the phase-plane category until
    // its own generators draw.
    {"SnapPhNeonOrbits", "Neon orbits"},
    {"SnapPhPastelCurrent", "Pastel current"},
    {"SnapPhPencilFlow", "Pencil flow"},
    {"SnapPhOpalPool", "Opal pool"},
    {"SnapPhNightSaddle", "Night saddle"},
    {"SnapPhSaddleLines", "Saddle lines"},

    // Generator names, keyed by their snapshot identifiers.
    {"EscParams", "Escape-time formula"},
    {"Halley", "Halley basins"},
    {"Biomorph", "Biomorphs"},
    {"DynFractal", "Dynamic fractal"},
    {"GumFractal", "Gum fractal"},
    {"Mandal", "Mandala"},
    {"ItSines", "Iterated sines"},
    {"Quot", "Quotients"},
    {"Perlin", "Perlin noise"},
    {"DynSys-Sqrt", "Square-root system"},
    {"DynSys-SinCos", "Sine-cosine system"},
    {"DynSys-SinSin", "Sine-sine system"},
    {"DynSys-Sin23", "Sine 2-3 system"},
    {"DynSys-SinXY", "Sine-xy system"},
    {"DynSys-Hopalong", "Hopalong"},
    {"DynSys-Gumowski", "Gumowski-Mira"},
    {"PhasePlane-xsin", "Phase plane: sine"},
    {"PhasePlane-sinprod", "Phase plane: sine product"},
    {"PhasePlane-tan", "Phase plane: tangent"},
    {"Grid", "Grid"},
    {"Curves", "Curves"},

    // Generator descriptions shown beside the example images, keyed by example key.
    {"BasinEx", "Colours each point by how fast it escapes a quadratic map of the plane. Type the twelve "
                "coefficients, or a twelve-letter formula that names them in steps of 0.1."},
    {"HalleyEx", "The basins of Halley's root-finding method for a real polynomial of degree up to 12; an "
                 "orbit analyzer reads the path of every starting point."},
    {"FeedbackEx", "Biomorphs: escape-time pictures of z -> c + z P(z), with optional sine, exponential and "
                   "power terms, anywhere between the parameter plane and the dynamical plane."},
    {"DynFractalEx", "Every point starts a short orbit of the square-root map; an orbit analyzer turns it into "
                     "a value."},
    {"GumFractalEx", "Every point starts a short orbit of the Gumowski-Mira map; an orbit analyzer turns it "
                     "into a value."},
    {"MandalaEx", "Rosettes from an angular and a radial sine wave and their product."},
    {"ItSinesEx", "Smooth interference patterns from three nested sine waves in x, y and xy."},
    {"QuotEx", "Bouncing bands: the quotient of two quadratic polynomials, folded into a tiling."},
    {"PerlinEx", "Noise textures from up to three layers of gradient noise, each a sum of octaves."},
    {"DSSqrtEx", "The density of one long orbit of a planar map built on square roots, sine and cosine."},
    {"DSSinCosEx", "The density of one long orbit of a planar map built on sines and cosines."},
    {"DSSinSinEx", "The density of one long orbit of a planar map built on squared and cubed sines."},
    {"DSSin23Ex", "A variant of the sine-sine map with the squared sines crossed over."},
    {"DSSinXYEx", "The density of one long orbit of a planar map built on sines and cosines of x, y and xy."},
    {"DSHopEx", "The hopalong attractor: one long orbit that hops around the origin."},
    {"DSGumEx", "The Gumowski-Mira attractor: one long orbit of a map from particle physics."},
    {"PPSinEx", "Paths of a grid of starting points under a shear map driven by a sine of a polynomial; "
                "the picture shows the invariant curves and islands."},
    {"PPSinProdEx", "Paths of a grid of starting points under a shear map driven by a product of sines."},
    {"PPTanEx", "Paths of a grid of starting points under a shear map driven by sines of tangents."},
    {"GridEx", "A lattice of soft lines or dots, which plane geometries turn into rings, spirals and "
               "kaleidoscopes."},
    {"CurvesEx", "Closed curves of the Lissajous kind, plotted as dots or lines."},

    // Field labels of the escape-time pane.
    {"lbl_esc_a0", "a0"},
    {"lbl_esc_a1", "a1 x"},
    {"lbl_esc_a2", "a2 x^2"},
    {"lbl_esc_a3", "a3 xy"},
    {"lbl_esc_a4", "a4 y"},
    {"lbl_esc_a5", "a5 y^2"},
    {"lbl_esc_b0", "b0"},
    {"lbl_esc_b1", "b1 x"},
    {"lbl_esc_b2", "b2 x^2"},
    {"lbl_esc_b3", "b3 xy"},
    {"lbl_esc_b4", "b4 y"},
    {"lbl_esc_b5", "b5 y^2"},
    {"lbl_esc_formula", "Formula"},
    {"lbl_esc_analyzer", "Orbit analyzer"},

    // Field labels and stopping tests of the Halley pane.
    {"lbl_hal_c0", "c0"},
    {"lbl_hal_c1", "c1 z"},
    {"lbl_hal_c2", "c2 z^2"},
    {"lbl_hal_c3", "c3 z^3"},
    {"lbl_hal_c4", "c4 z^4"},
    {"lbl_hal_c5", "c5 z^5"},
    {"lbl_hal_c6", "c6 z^6"},
    {"lbl_hal_c7", "c7 z^7"},
    {"lbl_hal_c8", "c8 z^8"},
    {"lbl_hal_c9", "c9 z^9"},
    {"lbl_hal_c10", "c10 z^10"},
    {"lbl_hal_c11", "c11 z^11"},
    {"lbl_hal_c12", "c12 z^12"},
    {"lbl_hal_lambda", "Relaxation (lambda)"},
    {"lbl_hal_convergence", "Stop when"},
    {"lbl_hal_analyzer", "Orbit analyzer"},
    {"halconv_step", "the step is short"},
    {"halconv_modulus", "the modulus rests"},
    {"halconv_coordinate", "one coordinate rests"},

    // Names of the built-in Halley pictures, as read back from their file ("_" read as a blank).
    {"Halley Seven Roots", "Seven roots"},
    {"Halley Violet Star", "Violet star"},
    {"Halley Sea Cross", "Sea cross"},
    {"Halley Ember Vein", "Ember vein"},
    {"Halley Gilded Fans", "Gilded fans"},
    {"Halley Rainbow Pentagon", "Rainbow pentagon"},
    {"Halley Twelve Rays", "Twelve rays"},
    {"Halley Neon Saltire", "Neon saltire"},
    {"Halley Copper Lace", "Copper lace"},
    {"Halley Bead Chain", "Bead chain"},
    {"Halley Golden Swirl", "Golden swirl"},
    {"Halley Flame Snowflake", "Flame snowflake"},
    {"Halley Teal Masks", "Teal masks"},

    // Field labels and plot modes of the dynamical-system panes.
    {"lbl_ds_iterationsMillions", "Iterations (millions)"},
    {"lbl_ds_iterationsThousands", "Iterations (thousands)"},
    {"lbl_ds_p0", "p0"},
    {"lbl_ds_p1", "p1"},
    {"lbl_ds_p2", "p2"},
    {"lbl_ds_p3", "p3"},
    {"lbl_ds_p4", "p4"},
    {"lbl_ds_p5", "p5"},
    {"lbl_ds_plotMode", "Plot"},
    {"dsplot_hits", "Hit count"},
    {"dsplot_visits", "Visit time"},

    // Field labels of the mandala pane.
    {"lbl_mandala_angularFrequency", "Angular frequency"},
    {"lbl_mandala_angularWeight", "Angular weight"},
    {"lbl_mandala_radialFrequency", "Radial frequency"},
    {"lbl_mandala_radialWeight", "Radial weight"},
    {"lbl_mandala_productWeight", "Product weight"},
    {"lbl_mandala_amplitude", "Amplitude"},

    // Field labels of the quotient pane.
    {"lbl_quot_numXX", "Numerator x^2"},
    {"lbl_quot_numX", "Numerator x"},
    {"lbl_quot_numXY", "Numerator xy"},
    {"lbl_quot_numY", "Numerator y"},
    {"lbl_quot_numYY", "Numerator y^2"},
    {"lbl_quot_numConst", "Numerator constant"},
    {"lbl_quot_denXX", "Denominator x^2"},
    {"lbl_quot_denX", "Denominator x"},
    {"lbl_quot_denXY", "Denominator xy"},
    {"lbl_quot_denY", "Denominator y"},
    {"lbl_quot_denYY", "Denominator y^2"},
    {"lbl_quot_denConst", "Denominator constant"},
    {"lbl_quot_xMin", "Fold x from"},
    {"lbl_quot_xMax", "Fold x to"},
    {"lbl_quot_yMin", "Fold y from"},
    {"lbl_quot_yMax", "Fold y to"},
    {"lbl_quot_amplitude", "Amplitude"},

    // Field labels of the iterated-sines pane.
    {"lbl_sines_xFrequency", "x frequency"},
    {"lbl_sines_xInnerFrequency", "x inner frequency"},
    {"lbl_sines_xPhase", "x phase"},
    {"lbl_sines_xWeight", "x weight"},
    {"lbl_sines_yFrequency", "y frequency"},
    {"lbl_sines_yInnerFrequency", "y inner frequency"},
    {"lbl_sines_yPhase", "y phase"},
    {"lbl_sines_yWeight", "y weight"},
    {"lbl_sines_xyFrequency", "xy frequency"},
    {"lbl_sines_xyInnerFrequency", "xy inner frequency"},
    {"lbl_sines_xyPhase", "xy phase"},
    {"lbl_sines_xyWeight", "xy weight"},
    {"lbl_sines_amplitude", "Amplitude"},

    // Field labels and menu items of the noise texture pane.
    {"lbl_perlin_octavesA", "Octaves of A"},
    {"lbl_perlin_persistenceA", "Persistence of A"},
    {"lbl_perlin_scaleB", "Scale of B"},
    {"lbl_perlin_octavesB", "Octaves of B"},
    {"lbl_perlin_persistenceB", "Persistence of B"},
    {"lbl_perlin_scaleC", "Scale of C"},
    {"lbl_perlin_octavesC", "Octaves of C"},
    {"lbl_perlin_persistenceC", "Persistence of C"},
    {"lbl_perlin_amplitude", "Amplitude"},
    {"lbl_perlin_combination", "Layers"},
    {"lbl_perlin_shaping", "Shaping"},
    {"perlincomb_A", "A"},
    {"perlincomb_AplusB", "A + B"},
    {"perlincomb_AplusBplusC", "A + B + C"},
    {"perlincomb_AtimesB", "A * B"},
    {"perlincomb_AtimesBplusC", "A * B + C"},
    {"perlinshape_half", "(v + 1) / 2"},
    {"perlinshape_abs", "|v|"},
    {"perlinshape_positive", "v where positive, else 0"},

    // Field labels of the geometry panes.
    {"lbl_geom_centerIsAbsolute", "Absolute centre"},
    {"lbl_geom_centerX", "Centre x"},
    {"lbl_geom_centerY", "Centre y"},
    {"lbl_geom_radiusIsAbsolute", "Absolute radius"},
    {"lbl_geom_radius", "Radius"},
    {"lbl_geom_folds", "Folds"},
    {"lbl_geom_mirror", "Mirror"},
    {"lbl_geom_phase", "Phase (degrees)"},
    {"lbl_geom_strength", "Strength"},
    {"lbl_geom_keepInside", "Keep inside"},
    {"lbl_geom_power", "Power"},
    {"lbl_geom_twist", "Twist"},
    {"lbl_geom_exponent", "Exponent"},

    // Alerts of the keyframe position dialog.
    {"InvalidKeyframeRangeMain", "The keyframe position is not valid."},
    {"InvalidKeyframeRangeExplain", "Enter a number from 0 to 1."},
    {"InvalidKeyframeDuplicateMain", "There is already a keyframe at this position."},
    {"InvalidKeyframeDuplicateExplain",
     "Positions are kept in steps of 0.0001, and this one falls on the step of a keyframe already there. "
     "Choose another position, or move that keyframe first."},

    // Alerts of the document files, and the titles of their new-file dialogs.
    {"ReadOnlyFileMain", "This file can only be read."},
    {"ReadOnlyFileExplain", "You can look at its contents, but changes cannot be saved to it."},
    {"InvalidFileMain", "This file is damaged or is not a file of this program."},
    {"InvalidFileExplain", "Only the records before the first unreadable line were read. The file is opened "
                           "read-only, so that nothing in it is overwritten."},
    {"LaterVersionFileMain", "This file was written by a later version of the program."},
    {"LaterVersionFileExplain", "Its records cannot be read by this version. The file is opened read-only and "
                                "left unchanged."},
    {"NewSnapshotWindowTitle", "New Snapshot File"},
    {"NewGradationWindowTitle", "New Gradation File"},
    {"NewMovieWindowTitle", "New Movie File"},
};

}  // namespace orlenza
