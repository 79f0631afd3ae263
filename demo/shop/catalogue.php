<?php
// The teas on sale and their prices in euros.
function catalogue()
{
    return array(
        'Assam, second flush' => 6.40,
        'Darjeeling, first flush' => 9.80,
        'Sencha' => 7.20,
        'Rooibos' => 4.90,
    );
}
