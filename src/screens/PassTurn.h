#pragma once
// Passing the turn by hand (the side menu's "Пропустить Ход."): the turn
// counter goes on by one and a modal box "Переход хода" names the player who
// plays now. The next player starts from a clean map: whatever the previous
// player had selected is dropped with its route. While the map carries out an
// order the turn is not passed by hand: the order passes it when it ends.

class TMap;

// Does nothing while in_map carries out an order (Moving). Otherwise cancels
// in_map's selection and route marks (as a right click on a cell does,
// without the information text), then advances TurnCounter; at the largest
// counter it starts again at 0, which keeps the alternation of the players.
// Then opens the box centred on the current desktop and makes it the input
// root. in_map may be null (no map window on the screen).
void PassTurn(TMap* in_map);
