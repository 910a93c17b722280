// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x, y, z);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input [7:0] c;
   output [7:0] x;
   output y;
   output [15:0] z;

   assign x = (a-(b-c));

   assign y = (~(|a));

   assign z = ({a,c});
endmodule
