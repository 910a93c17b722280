// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c);
   input m_clock;
   input p_reset;
   reg [3:0] r;
   input [7:0] a;
   input [1:0] b;
   output c;
endmodule
