#include "sources/embedded_tables.h"

namespace tracciato {

// The slow-down order handed to the driver of D 517: the five slow-downs of the run,
// then the legend of the prescriptions. Zeros are typed as the letter O, as on the
// printed form. 47 lines.
LineTable slowdown_order_table() {
  return {
      "",
      "                               Modulo M. 3",
      "                           ORDINE DI RALLENTAMENTO",
      " ________________________________________________________________________________",
      "  Linea  ROVELDA-MARNE ",
      "",
      "",
      "  Si ordina al macchinista del treno D 517 di effettuare i seguenti rallentamenti",
      "  _______________________________________________________________________________",
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      " |___|____________________________|____________|__________|_________|____________|",
      " |O1 |PIEVE DI SASSORE-TREVENZA   |  38+95O    |   75     |   35O   |     A      |",
      " |O2 |LAGO VERDINO-VALMORENA      |  56+9OO    |   65     |   35O   |     A      |",
      " |O3 |CERVASCO-MALGASCO           |  75+85O    |   3O     |   8OO   |   A-B-D    |",
      " |O4 |MALGASCO-LORNA              |  77+6OO    |   65     |    5O   |    A-D     |",
      " |O5 |CORNAVERA-ROCCASCURA        |  89+O5O    |   3O     |   3OO   |     A      |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |   |                            |            |          |         |            |",
      " |___|____________________________|____________|__________|_________|____________|",
      "",
      "              Prescrizioni specifiche",
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di MALGASCO",
      " D - Avviso come da disposizioni varie localita' di servizio",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
      std::string(end_marker),
  };
}

}  // namespace tracciato
