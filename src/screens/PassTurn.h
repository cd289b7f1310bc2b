#pragma once
// Passing the turn by hand (the side menu's "Пропустить Ход."): the turn
// counter goes on by one and a modal box "Переход хода" names the player who
// plays now. The order state of the map is not looked at.

// Advances TurnCounter; at the largest counter it starts again at 0, which
// keeps the alternation of the players. Then opens the box centred on the
// current desktop and makes it the input root.
void PassTurn();
