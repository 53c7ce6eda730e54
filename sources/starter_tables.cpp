#include <string>

#include "sources/embedded_tables.h"

namespace tracciato {

// The starter route: 10 km with every entry kind of the route text, each named in the
// comment before it.
LineTable starter_route_table() {
  return {
      "- A route of 10 km to start a scenario from. Every entry kind of the route text",
      "- appears once at least. A field holding a hyphen is a comment: one field to a line and no comma.",
      "[generale]",
      "- lunghezza percorso: route length (m)",
      "lunghezza percorso,    10000",
      "- progressiva chilometrica uno/due/tre: value 1 (m) value 2 (m) value 3 (0 0 0: none given)",
      "progressiva chilometrica uno,    0,    0,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "- sfondo uno/due/tre: value (stored as written)",
      "sfondo uno,    1",
      "sfondo due,    4000",
      "sfondo tre,    7000",
      "- ripetizione segnali N codici: start (m) end (m); N is 4 or 9 (end 0: no repetition)",
      "ripetizione segnali 4 codici,    1000,    9000",
      "[curve]",
      "- curva + side (s left or d right) + class 1 to 6: start (m) length (m)",
      "curvad4,  1000,  200",
      "curvas5,  2800,  150",
      "curvad3,  5400,  600",
      "curvas6,  6400,  150",
      "curvad5,  7900,  200",
      "[pendenze]",
      "- pendenza: position (m) gradient (per mille: + up and - down)",
      "pendenza,   800,    5",
      "pendenza,  2600,   12",
      "pendenza,  4200,    0",
      "pendenza,  4800,    8",
      "pendenza,  6000,   -6",
      "pendenza,  8200,   -2",
      "pendenza,  9100,    0",
      "[montagne]",
      "- montagna (a tunnel): inizio (m) fine (m) tipo (1 or 2; 11 or 12: the same with markers)",
      "montagna,   6300,   6700,  12",
      "[cartelli]",
      "- indicatori_vmax: posizione (m) then side s (left): vas vbs vcs (speeds a b c in km/h) strisces",
      "- then side d (right): vad vbd vcd strisced (empty: 0)",
      "indicatori_vmax,  1200,  100,  120,  120,  0,  ,  ,  ,  0",
      "indicatori_vmax,  8500,   55,   60,   60,  0,  ,  ,  ,  0",
      "[indicazioni]",
      "- cartello_indicatore: posizione (m) text (rows in brackets of up to 16 characters)",
      "cartello_indicatore,  3200,   (PONTE          )(SUL RIO VERDE  )(Mt.60 Km.3+250 )",
      "cartello_indicatore,  6250,   (GALLERIA       )(DEL PASSO 1\xB0""   )(Mt.400 Km.6+300)",
      "[fine]",
      std::string(end_marker),
  };
}

// The starter train over it: every entry kind of the train text, each named in the
// comment before it.
LineTable starter_train_table() {
  return {
      "- A train over the starter route. Every entry kind of the train text appears once at least.",
      "- A field holding a hyphen is a comment: one field to a line and no comma; at most two in a row.",
      "[generale]",
      "- numero vetture: number of cars",
      "numero vetture,    5",
      "- percentuale massa frenata: percentage",
      "percentuale massa frenata,    120",
      "- sabbia: sand",
      "sabbia,    300",
      "- orologio: hours minutes seconds at the start (blanks separate numbers as commas do)",
      "orologio,    8  59  0",
      "[aderenze]",
      "- aderenza: position (m) adhesion (per cent) from there on",
      "aderenza,      0,   100",
      "aderenza,   6300,    80",
      "aderenza,   6700,   100",
      "[vel_limite]",
      "- velocita: position (m) speed limit (km/h) from there on",
      "velocita,      0,   100",
      "velocita,   1200,   120",
      "velocita,   8500,    60",
      "[stazioni]",
      "- stazione: position (m) kind length (m) opz1 opz5 opz4 par1 par2 opz2 par3 par4 par5 opz3",
      "- then hours minutes seconds (0 0 0: no time) and the name",
      "stazione,      0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,   9, 0, 0,PIANO",
      "stazione,   1700, 22,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0,CASCINE",
      "stazione,   4500, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   99,   9, 6, 0,VALLE",
      "stazione,   9550,  1,  800,  0, 0, 0,  1,1,0,  2,1,1,    0,   9,12, 0,MONTE",
      "[rallentamenti]",
      "- rallentamento: x start (m) v speed (km/h) l length (m) f_tt f_ta d_v",
      "rallentamento,   6750,    60,  500, 1,  1,  0",
      "- abbattimento: position (m) value",
      "abbattimento,   3000,   150",
      "[segnali]",
      "- segnale: posizione (m) sx s1 s2 s3 rapp dx d1 d2 d3 tempo",
      "- sx and dx: the kind on the left and on the right side (0: none)",
      "segnale,    2450,   1, 4, 0,  0, 0,    0,  0,0,0, 0",
      "segnale,    3850,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
      "segnale,    5200,   0, 0, 0,  0, 0,    1,  4,0,0, 0",
      "segnale,    7400,   1, 3, 0,  0, 0,    0,  0,0,0, 0",
      "segnale,    8800,   2, 2, 3,  0, 0,    0,  0,0,0, 205",
      "[fine]",
      std::string(end_marker),
  };
}

}  // namespace tracciato
