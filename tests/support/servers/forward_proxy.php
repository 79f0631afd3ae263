<?php
// A forwarding proxy for PHP's built-in server: each request goes on to the address in its
// request line, with the host replaced by @TARGET@, and its answer comes back, status included.
$path = parse_url($_SERVER['REQUEST_URI'], PHP_URL_PATH);
$answer = file_get_contents('@TARGET@' . $path, false, stream_context_create(array('http' => array(
	'method' => $_SERVER['REQUEST_METHOD'],
	'header' => 'Content-Type: ' . ($_SERVER['CONTENT_TYPE'] ?? ''),
	'content' => file_get_contents('php://input'),
	'ignore_errors' => true))));
http_response_code((int) explode(' ', $http_response_header[0])[1]);
echo $answer;
