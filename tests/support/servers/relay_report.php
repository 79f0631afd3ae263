<?php
// A proxy between the program and @TARGET@: in a folder named "tampered" it changes the
// size of a 4-byte file in the answer; elsewhere it passes on the first answer it ever got,
// again and again.
$answer = file_get_contents('@TARGET@', false, stream_context_create(array('http' => array(
	'method' => 'POST',
	'header' => 'Content-Type: application/x-www-form-urlencoded',
	'content' => file_get_contents('php://input')))));
$kept = __DIR__ . '/kept';
if (!file_exists($kept)) {
	file_put_contents($kept, $answer);
}
echo basename(__DIR__) == 'tampered' ? str_replace('f 4 ', 'f 5 ', $answer) : file_get_contents($kept);
